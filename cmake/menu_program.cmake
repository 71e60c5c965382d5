# add_menu_program(NAME): Tallowfin Menu from TALLOWFIN_MENU_SOURCES, statically linked and
# stripped, for whichever processor the toolchain builds.
function(add_menu_program name)
    add_executable(${name} WIN32 ${TALLOWFIN_MENU_SOURCES})
    target_compile_options(${name} PRIVATE ${TALLOWFIN_WARNINGS})
    target_compile_definitions(${name} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    target_link_libraries(${name} PRIVATE ole32 oleaut32 uuid shlwapi shell32 advapi32 user32 gdi32 kernel32)
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++ -s)
    set_property(SOURCE ${CMAKE_SOURCE_DIR}/menu/tallowfin_menu.rc APPEND PROPERTY OBJECT_DEPENDS
        ${CMAKE_SOURCE_DIR}/res/tallowfin.ico ${CMAKE_SOURCE_DIR}/menu/tallowfin_menu.manifest)
endfunction()
