# Windows (mingw-w64) build: the input method, the installer and the tests that run under Wine.
