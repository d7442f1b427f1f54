target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/settings_catalogue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_lines.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/settings_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_window.cpp)

# TEMPORARY until the real theme and home window are merged: delete this
# block and the two TEMP_*.cpp files.
list(REMOVE_ITEM VANTAROO_WIN32_SOURCES ${CMAKE_SOURCE_DIR}/src/home/home_window.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TEMP_theme.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TEMP_home_window.cpp)
