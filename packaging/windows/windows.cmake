# The program folder a Windows user can run from (`make windows`: build/windows/Morvane) and
# its installer (`make windows-package`: build/windows/morvane-<version>-setup.exe). The folder
# holds the program, the Qt DLLs it loads, the windowing and style plugins, Qt's Chinese texts
# and the MinGW run-time, stripped; the installer adds the licences.

set(MORVANE_FOLDER ${PROJECT_BINARY_DIR}/Morvane)
set(MORVANE_INSTALLER ${PROJECT_BINARY_DIR}/morvane-${PROJECT_VERSION}-setup.exe)

# The MinGW run-time that the program and Qt were linked with, where the compiler keeps it.
set(runtime)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(path ${path} REALPATH)
    if(NOT EXISTS ${path})
        message(FATAL_ERROR "The MinGW run-time ${dll} was not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    list(APPEND runtime ${path})
endforeach()
# Qt's own texts in Chinese: .qm files are the same on every system (Debian's qt6-translations-l10n).
find_file(MORVANE_QT_CHINESE qtbase_zh_CN.qm PATHS ${QT_HOST_PATH}/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# What goes where in the folder, resolved when the build is generated.
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/folder-files.cmake CONTENT "set(folder ${MORVANE_FOLDER})
set(strip ${CMAKE_STRIP})
set(files
    .=$<TARGET_FILE:morvane>
    .=$<TARGET_FILE:Qt6::Core> .=$<TARGET_FILE:Qt6::Gui> .=$<TARGET_FILE:Qt6::Widgets>
    platforms=$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    styles=$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
    translations=${MORVANE_QT_CHINESE}
    .=$<JOIN:${runtime}, .=>)
")
add_custom_command(OUTPUT ${MORVANE_FOLDER}/morvane.exe
                   COMMAND ${CMAKE_COMMAND} -P ${CMAKE_CURRENT_LIST_DIR}/folder.cmake ${PROJECT_BINARY_DIR}/folder-files.cmake
                   DEPENDS morvane ${CMAKE_CURRENT_LIST_DIR}/folder.cmake ${PROJECT_BINARY_DIR}/folder-files.cmake
                   COMMENT "The program folder: ${MORVANE_FOLDER}")
add_custom_target(windows_folder ALL DEPENDS ${MORVANE_FOLDER}/morvane.exe)

# The installer's two helpers, small programs in C built with the same MinGW compiler, without
# the MinGW run-time DLLs (static): uninstall.exe, which runs the NSIS uninstaller in place and
# returns only once it is done (uninstall.c), and run-as-shell.exe, with which the finish page
# starts the program through the desktop's shell, with the user's own rights (run-as-shell.c).
enable_language(C)
set(helpers ${PROJECT_BINARY_DIR}/installer-helpers)
add_executable(morvane_uninstall WIN32 ${CMAKE_CURRENT_LIST_DIR}/uninstall.c ${CMAKE_CURRENT_LIST_DIR}/uninstall.rc)
add_executable(morvane_run_as_shell WIN32 ${CMAKE_CURRENT_LIST_DIR}/run-as-shell.c)
target_link_libraries(morvane_run_as_shell PRIVATE ole32 oleaut32 uuid shell32)
set_target_properties(morvane_uninstall PROPERTIES OUTPUT_NAME uninstall)
set_target_properties(morvane_run_as_shell PROPERTIES OUTPUT_NAME run-as-shell)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/uninstall.rc PROPERTIES
                            OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/uninstall.manifest)
foreach(helper morvane_uninstall morvane_run_as_shell)
    set_target_properties(${helper} PROPERTIES C_STANDARD 11 RUNTIME_OUTPUT_DIRECTORY ${helpers})
    target_include_directories(${helper} PRIVATE ${CMAKE_CURRENT_LIST_DIR}) # the manifest, for windres
    target_compile_options(${helper} PRIVATE $<$<COMPILE_LANGUAGE:C>:-municode -Werror>)
    target_link_options(${helper} PRIVATE -municode -static -s)
endforeach()

# The licences the installer puts beside the program: its own, Qt's (as Debian documents the
# source these DLLs come from, and the two changes made to it, as patches) and the MinGW
# run-time's, from the Debian packages installed here. Morvane's source goes with them
# (make-installer.sh).
file(GLOB qt_patches RELATIVE ${CMAKE_CURRENT_LIST_DIR}/qt-patches ${CMAKE_CURRENT_LIST_DIR}/qt-patches/*.patch)
list(TRANSFORM qt_patches REPLACE "^(.+)$" "Qt-\\1=${CMAKE_CURRENT_LIST_DIR}/qt-patches/\\1")
set(licences
    Morvane-GPL-3.txt=${PROJECT_SOURCE_DIR}/LICENSE
    Qt-LGPL-3.txt=/usr/share/common-licenses/LGPL-3
    Qt-copyright.txt=/usr/share/doc/libqt6core6/copyright
    ${qt_patches}
    MinGW-GCC-run-time-copyright.txt=/usr/share/doc/gcc-mingw-w64-base/copyright
    MinGW-w64-copyright.txt=/usr/share/doc/mingw-w64-common/copyright
    THIRD-PARTY.txt=${CMAKE_CURRENT_LIST_DIR}/THIRD-PARTY.txt)
set(licence_copies)
set(licence_sources)
foreach(entry ${licences})
    string(REPLACE "=" ";" entry ${entry})
    list(GET entry 0 name)
    list(GET entry 1 source)
    if(NOT EXISTS ${source})
        message(FATAL_ERROR "${source} is missing (the installer's ${name})")
    endif()
    list(APPEND licence_copies COMMAND ${CMAKE_COMMAND} -E copy ${source} ${PROJECT_BINARY_DIR}/licences/${name})
    list(APPEND licence_sources ${source})
endforeach()

# make-installer.sh gathers what goes in (signing it when MORVANE_SIGN_PFX is set) and runs
# makensis on morvane.nsi.
find_program(MAKENSIS makensis)
if(MAKENSIS)
    file(GLOB installer_scripts ${CMAKE_CURRENT_LIST_DIR}/*.sh ${CMAKE_CURRENT_LIST_DIR}/morvane.nsi)
    add_custom_command(OUTPUT ${MORVANE_INSTALLER}
                       COMMAND ${CMAKE_COMMAND} -E rm -rf ${PROJECT_BINARY_DIR}/licences
                       ${licence_copies}
                       COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-installer.sh ${PROJECT_BINARY_DIR}
                               ${PROJECT_VERSION} ${MORVANE_INSTALLER}
                       DEPENDS windows_folder ${MORVANE_FOLDER}/morvane.exe morvane_uninstall morvane_run_as_shell
                               ${installer_scripts} ${CMAKE_CURRENT_LIST_DIR}/morvane.ico ${licence_sources}
                       COMMENT "The installer: ${MORVANE_INSTALLER}")
    add_custom_target(windows_installer ALL DEPENDS ${MORVANE_INSTALLER})
else()
    message(STATUS "makensis (Debian's nsis) not found: no installer")
endif()
