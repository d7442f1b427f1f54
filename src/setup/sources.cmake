target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/tool_command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_output.cpp
    ${CMAKE_CURRENT_LIST_DIR}/log_bound.cpp
    ${CMAKE_CURRENT_LIST_DIR}/post_retry.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/setup_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_output.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_tool_runner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/source_choice.cpp
    # Stands in for the theme's CreateMessageFont until theme.cpp is merged.
    ${CMAKE_CURRENT_LIST_DIR}/message_font_fallback.cpp)
