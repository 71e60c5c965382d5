# A Windows build, 32-bit or 64-bit by the toolchain: Tallowfin.exe and TallowfinMenu.exe (with
# "64" in their names in the 64-bit build), their component and end-to-end tests under Wine, and,
# in the 32-bit build, the release and the checks that need no Wine.
enable_language(RC)
include(cmake/reproducible.cmake)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TALLOWFIN_64 ON)
    set(TALLOWFIN_EXE Tallowfin64)
    set(TALLOWFIN_MENU_EXE TallowfinMenu64)
else()
    set(TALLOWFIN_64 OFF)
    set(TALLOWFIN_EXE Tallowfin)
    set(TALLOWFIN_MENU_EXE TallowfinMenu)
endif()
# Off where this build's programs cannot run under Wine: a machine that refuses 32-bit code
# still builds the 32-bit release, and tests the 64-bit build alone.
option(TALLOWFIN_WINE_TESTS "Build the Wine tests, demo and benchmarks" ON)

# One static library per layer, each linking only the layer below it: app/ and dialogs/, then
# mirror/, then the ground floor base/.
set(TALLOWFIN_BASE_SOURCES
    base/bounded_text.cpp
    base/dialog_frame.cpp
    base/hourglass.cpp
    base/message_box.cpp
    base/shared_state.cpp
    base/system_library.cpp
    base/virtual_store.cpp
    base/virtual_store_text.cpp
    base/wide_text.cpp
    base/window_dpi.cpp
    base/window_geometry.cpp
    base/worker_wait.cpp
)
set(TALLOWFIN_MIRROR_SOURCES
    mirror/diagnostic_log.cpp
    mirror/folder_discovery.cpp
    mirror/folder_text.cpp
    mirror/installer_functions.cpp
    mirror/link_object.cpp
    mirror/link_target_text.cpp
    mirror/log_path.cpp
    mirror/mirror_pass.cpp
    mirror/mirror_paths.cpp
    mirror/shortcut_copier.cpp
    mirror/tree_text.cpp
    mirror/tree_walks.cpp
)
set(TALLOWFIN_CORE_SOURCES
    app/app_main.cpp
    app/main_loop.cpp
    app/main_window.cpp
    app/progress_steps.cpp
    app/settings_store.cpp
    app/terms_gate.cpp
    app/terms_text.cpp
    dialogs/dialog_icon.cpp
    dialogs/donate_dialog.cpp
    dialogs/donation_text.cpp
    dialogs/explore_text.cpp
    dialogs/links_dialog.cpp
    dialogs/options_dialog.cpp
    dialogs/own_link_text.cpp
    dialogs/own_links.cpp
    dialogs/referrer_page.cpp
    dialogs/referrer_text.cpp
    dialogs/uninstall.cpp
)

add_library(tallowfin_base STATIC ${TALLOWFIN_BASE_SOURCES})
target_compile_options(tallowfin_base PRIVATE ${TALLOWFIN_WARNINGS})
target_compile_definitions(tallowfin_base PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(tallowfin_base PUBLIC shlwapi shell32 advapi32 user32 gdi32 kernel32)

add_library(tallowfin_mirror STATIC ${TALLOWFIN_MIRROR_SOURCES})
target_compile_options(tallowfin_mirror PRIVATE ${TALLOWFIN_WARNINGS})
target_link_libraries(tallowfin_mirror PUBLIC tallowfin_base ole32 oleaut32 uuid)

add_library(tallowfin_core STATIC ${TALLOWFIN_CORE_SOURCES})
target_compile_options(tallowfin_core PRIVATE ${TALLOWFIN_WARNINGS})
target_link_libraries(tallowfin_core PUBLIC tallowfin_mirror)

# Statically linked: the exe must run on a bare Windows with no MinGW runtime DLLs.
set(TALLOWFIN_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_executable(${TALLOWFIN_EXE} WIN32 app/win_main.cpp res/tallowfin.rc)
target_compile_options(${TALLOWFIN_EXE} PRIVATE ${TALLOWFIN_WARNINGS})
target_link_libraries(${TALLOWFIN_EXE} PRIVATE tallowfin_core)
# Shipped without symbols: a fifth of the size.
target_link_options(${TALLOWFIN_EXE} PRIVATE ${TALLOWFIN_STATIC_LINK} -s)
if(TALLOWFIN_64)
    target_compile_definitions(${TALLOWFIN_EXE} PRIVATE TALLOWFIN_64)
endif()
set_property(SOURCE res/tallowfin.rc APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/res/tallowfin.ico ${CMAKE_SOURCE_DIR}/res/donate.bmp
    ${CMAKE_SOURCE_DIR}/res/tallowfin.manifest)

# Tallowfin Menu: a second program that finds the mirror with Tallowfin's own discovery code,
# and takes nothing else of Tallowfin.exe.
include(cmake/menu_program.cmake)
add_menu_program(${TALLOWFIN_MENU_EXE})
if(TALLOWFIN_64)
    # The version block's file name and the file's bitness follow the build.
    target_compile_definitions(TallowfinMenu64 PRIVATE TALLOWFIN_MENU_64)
endif()

if(TALLOWFIN_WINE_TESTS)
    # GoogleTest for the target, from Debian's sources.
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

    # Every Wine test goes through this runner, which sets up the private prefix's environment.
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)

    # A test-only Tallowfin Menu to which every program counts as one that needs administrator
    # rights: Wine starts those without asking, Windows refuses them to CreateProcess. Named
    # after this build's menu so that the end-to-end driver knows its bitness.
    add_menu_program(Elevation${TALLOWFIN_MENU_EXE})
    target_compile_definitions(Elevation${TALLOWFIN_MENU_EXE} PRIVATE
        TALLOWFIN_TEST_ELEVATION_REQUIRED)

    add_subdirectory(tests)
    add_subdirectory(demo)
    add_subdirectory(bench)
endif()

if(TALLOWFIN_64)
    return()
endif()

# The checks that need no Wine, and the release: in the 32-bit build alone.
# The native sanitizer tests, built beforehand by the test script, join this ctest run.
if(TALLOWFIN_HOST_TESTS)
    add_test(NAME host_pure_helpers COMMAND ${TALLOWFIN_HOST_TESTS})
    # A short round of every fuzz target; scripts/fuzz.sh alone runs the long one.
    add_test(NAME host_fuzz_short_round COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz.sh 100000)
endif()

add_test(NAME exe_imports_only_system_dlls
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports.sh $<TARGET_FILE:Tallowfin>
            $<TARGET_FILE:TallowfinMenu> ${TALLOWFIN_WIN64_BUILD}/Tallowfin64.exe
            ${TALLOWFIN_WIN64_BUILD}/TallowfinMenu64.exe)

add_test(NAME sources_are_clang_formatted COMMAND ${CMAKE_SOURCE_DIR}/scripts/format.sh --check)

# Suppressions, each justified on its line, are inline (cppcheck-suppress) in the code.
add_test(NAME program_code_passes_cppcheck
    COMMAND cppcheck --enable=warning,style,performance,portability --std=c++17 --inline-suppr
        --error-exitcode=1 --quiet --suppress=missingIncludeSystem ${TALLOWFIN_PROGRAM_FOLDERS}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})

add_test(NAME release_package_holds_the_stripped_program
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-package.sh ${CMAKE_BINARY_DIR})

# The release: cmake --build build/win --target package gives Tallowfin-<version>-win32.zip and
# its SHA-256 file, the same bytes from every build of one commit (scripts/package-release.py).
# The 64-bit programs come from their own build folder (TALLOWFIN_WIN64_BUILD).
set(TALLOWFIN_RELEASE_ZIP ${CMAKE_BINARY_DIR}/Tallowfin-${PROJECT_VERSION}-win32.zip)
set(TALLOWFIN_RELEASE_FILES $<TARGET_FILE:Tallowfin> $<TARGET_FILE:TallowfinMenu>
    ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE)
if(TALLOWFIN_WIN64_BUILD)
    list(APPEND TALLOWFIN_RELEASE_FILES ${TALLOWFIN_WIN64_BUILD}/Tallowfin64.exe
        ${TALLOWFIN_WIN64_BUILD}/TallowfinMenu64.exe)
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# CMake keeps the name "package" for CPack while its configuration lies in the build folder, as
# it does in one that an older checkout configured.
file(REMOVE ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake)
add_custom_target(package
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/package-release.py
        ${TALLOWFIN_RELEASE_ZIP} ${TALLOWFIN_SOURCE_EPOCH} ${TALLOWFIN_RELEASE_FILES}
    DEPENDS Tallowfin TallowfinMenu
    COMMENT "Release ${TALLOWFIN_RELEASE_ZIP}"
    VERBATIM)
