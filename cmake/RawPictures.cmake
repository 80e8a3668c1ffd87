# Pictures the program reads at start-up are stored in it as raw 32-bit pixels,
# uncompressed, so that they are wrapped where they lie instead of decoded into
# a private copy. The source pictures stay what is edited and committed.
add_executable(rawpixels ${PROJECT_SOURCE_DIR}/tools/rawpixels/Main.cpp)
target_link_libraries(rawpixels PRIVATE Qt6::Gui)
target_include_directories(rawpixels PRIVATE ${PROJECT_SOURCE_DIR})

# zento_add_raw_pictures(TARGET RESOURCE PREFIX prefix FILES source...): each
# source picture becomes the resource PREFIX/NAME, NAME being its file name
# without the suffix ("GlyphOk@2x.bmp" gives "GlyphOk@2x").
function(zento_add_raw_pictures Target Resource)
    cmake_parse_arguments(PARSE_ARGV 2 Arg "" "PREFIX" "FILES")
    set(Folder ${CMAKE_CURRENT_BINARY_DIR}/raw-${Resource})
    set(RawFiles)
    foreach(Source IN LISTS Arg_FILES)
        get_filename_component(Name ${Source} NAME_WLE)
        set(Raw ${Folder}/${Name})
        add_custom_command(OUTPUT ${Raw}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${Folder}
            COMMAND rawpixels ${Source} ${Raw}
            DEPENDS rawpixels ${Source}
            COMMENT "Raw pixels of ${Name}")
        list(APPEND RawFiles ${Raw})
    endforeach()
    qt_add_resources(${Target} ${Resource} PREFIX ${Arg_PREFIX} BASE ${Folder} FILES ${RawFiles}
        OPTIONS -no-compress)
endfunction()
