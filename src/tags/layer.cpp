// Layer tags.
