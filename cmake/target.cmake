# The Windows build: Tallowfin.exe, its component tests and end-to-end tests, run under Wine.
enable_language(RC)

set(TALLOWFIN_CORE_SOURCES
    ${TALLOWFIN_PURE_SOURCES}
    app/app_main.cpp
    app/dialog_frame.cpp
    app/main_loop.cpp
    app/main_window.cpp
    app/settings_store.cpp
    app/shared_state.cpp
    app/terms_gate.cpp
    app/worker_wait.cpp
    dialogs/donate_dialog.cpp
    dialogs/options_dialog.cpp
    dialogs/referrer_page.cpp
    dialogs/uninstall.cpp
    mirror/diagnostic_log.cpp
    mirror/folder_discovery.cpp
    mirror/installer_functions.cpp
    mirror/mirror_pass.cpp
    mirror/shortcut_copier.cpp
    mirror/tree_walks.cpp
)

add_library(tallowfin_core STATIC ${TALLOWFIN_CORE_SOURCES})
target_compile_options(tallowfin_core PRIVATE ${TALLOWFIN_WARNINGS})
target_compile_definitions(tallowfin_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(tallowfin_core PUBLIC
    comctl32 ole32 oleaut32 uuid shlwapi shell32 winmm advapi32 user32 gdi32 kernel32)

# Statically linked: the exe must run on a bare Windows with no MinGW runtime DLLs.
set(TALLOWFIN_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_executable(Tallowfin WIN32 app/win_main.cpp res/tallowfin.rc)
target_compile_options(Tallowfin PRIVATE ${TALLOWFIN_WARNINGS})
target_link_libraries(Tallowfin PRIVATE tallowfin_core)
target_link_options(Tallowfin PRIVATE ${TALLOWFIN_STATIC_LINK})
set_property(SOURCE res/tallowfin.rc APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/res/tallowfin.ico ${CMAKE_SOURCE_DIR}/res/donate.bmp
    ${CMAKE_SOURCE_DIR}/res/tallowfin.manifest)

# GoogleTest for the target, from Debian's sources.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Every Wine test goes through this runner, which sets up the private prefix's environment.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)

add_subdirectory(tests)

# The native sanitizer tests, built beforehand by the test script, join this ctest run.
if(TALLOWFIN_HOST_TESTS)
    add_test(NAME host_pure_helpers COMMAND ${TALLOWFIN_HOST_TESTS})
endif()

add_test(NAME exe_imports_only_system_dlls
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports.sh $<TARGET_FILE:Tallowfin>)

add_test(NAME sources_are_clang_formatted COMMAND ${CMAKE_SOURCE_DIR}/scripts/format.sh --check)
