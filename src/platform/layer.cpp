// Layer platform.
