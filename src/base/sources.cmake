target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/folder_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/game_command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quote_arg.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/file_replace.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/game_start.cpp
    ${CMAKE_CURRENT_LIST_DIR}/launcher_state.cpp)
