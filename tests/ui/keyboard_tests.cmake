# Tests of the key table and the native key translation (filled in with them).
