list(APPEND BALLMERE_CORE_SOURCES
  filters/NumberFilter.h filters/NumberFilter.cpp)
list(APPEND BALLMERE_UI_SOURCES
  filters/NumberFilterDialog.h filters/NumberFilterDialog.cpp filters/NumberFilterDialog.ui
  filters/Favorite.h filters/Favorite.cpp
  filters/Exclude.h filters/Exclude.cpp)
