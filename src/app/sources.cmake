target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/startup_decision.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/dpi_awareness_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startup_win.cpp)
