target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/fit_scale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout_scale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/palette.cpp)
list(APPEND VANTAROO_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/focus_memory_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/live_region_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/monitor_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/theme_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_builder_win.cpp)
