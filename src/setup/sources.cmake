target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/install_folder_rule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/line_splitter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/log_model.cpp
    ${CMAKE_CURRENT_LIST_DIR}/log_pace.cpp
    ${CMAKE_CURRENT_LIST_DIR}/output_batcher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/post_retry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reader_schedule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_session.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_output.cpp
    ${CMAKE_CURRENT_LIST_DIR}/utf8_decoder.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/desktop_shortcut_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dlc_choice_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_pickers_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/install_folder_choice_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/install_run_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_output_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_run_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_view_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_window_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/source_choice_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_pipe_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_reader_win.cpp)
