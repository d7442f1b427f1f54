# The DLLs that only the windows need are delay-loaded, so that starting the
# game at once loads none of them. With MinGW this takes delay-import
# libraries made by dlltool from the import libraries' symbol lists; with MSVC
# it is the linker's /DELAYLOAD.
set(VANTAROO_DELAYED_DLLS shell32 ole32 comdlg32 comctl32 uxtheme dwmapi)

add_library(vantaroo_gui_dlls INTERFACE)

if(MSVC)
    foreach(dll IN LISTS VANTAROO_DELAYED_DLLS)
        target_link_libraries(vantaroo_gui_dlls INTERFACE ${dll})
        target_link_options(vantaroo_gui_dlls INTERFACE /DELAYLOAD:${dll}.dll)
    endforeach()
    target_link_libraries(vantaroo_gui_dlls INTERFACE delayimp)
elseif(MINGW)
    find_program(MINGW_NM NAMES ${CMAKE_NM} x86_64-w64-mingw32-nm REQUIRED)
    find_program(MINGW_DLLTOOL NAMES ${CMAKE_DLLTOOL} x86_64-w64-mingw32-dlltool REQUIRED)
    set(delay_dir ${CMAKE_BINARY_DIR}/delayimp)
    file(MAKE_DIRECTORY ${delay_dir})
    foreach(dll IN LISTS VANTAROO_DELAYED_DLLS)
        find_library(IMPORT_LIB_${dll} NAMES lib${dll}.a ${dll} REQUIRED)
        set(def ${delay_dir}/${dll}.def)
        set(lib ${delay_dir}/lib${dll}_delay.a)
        if(NOT EXISTS ${lib} OR ${IMPORT_LIB_${dll}} IS_NEWER_THAN ${lib})
            execute_process(COMMAND ${MINGW_NM} -g ${IMPORT_LIB_${dll}}
                            OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
            string(REGEX MATCHALL "__imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
            list(REMOVE_DUPLICATES imports)
            list(TRANSFORM imports REPLACE "^__imp_" "    ")
            list(JOIN imports "\n" exports)
            file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
            # dlltool names its symbols after the output path: a relative
            # one keeps the build's folder out of the exe.
            execute_process(COMMAND ${MINGW_DLLTOOL} --input-def ${dll}.def
                                    --output-delaylib lib${dll}_delay.a --dllname ${dll}.dll
                            WORKING_DIRECTORY ${delay_dir}
                            COMMAND_ERROR_IS_FATAL ANY)
        endif()
        target_link_libraries(vantaroo_gui_dlls INTERFACE ${lib})
    endforeach()
endif()
