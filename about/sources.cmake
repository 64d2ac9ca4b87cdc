list(APPEND BALLMERE_UI_SOURCES about/About.h about/About.cpp about/About.ui)
