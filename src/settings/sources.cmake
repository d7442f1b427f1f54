target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/settings_catalogue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_lines.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/settings_file_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_window_win.cpp)

