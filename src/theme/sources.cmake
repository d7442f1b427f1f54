target_sources(vantaroo_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/palette.cpp)
