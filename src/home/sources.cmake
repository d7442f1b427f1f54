target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/home_keys.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/home_window_win.cpp)
