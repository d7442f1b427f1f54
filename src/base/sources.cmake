target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/folder_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/game_command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/launcher_claim_name.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_retry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quote_arg.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/file_replace_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folders_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/game_start_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/launcher_claim_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/launcher_state_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/system_error_win.cpp)
