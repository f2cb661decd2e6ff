// Layer settings.
