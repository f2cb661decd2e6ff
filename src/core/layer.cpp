// Layer core.
