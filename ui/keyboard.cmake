# The keyboard pieces of the window (filled in with the key table).
