# tintmend_export_headers(TARGET): code that uses TARGET reaches the headers
# of the calling CMakeLists.txt's folder as "folder/name.h", the way the code
# writes them, and no other folder of the tree. Each folder gets an include
# directory of its own in the build tree, holding a single link to the folder.
function(tintmend_export_headers target)
    get_filename_component(name ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(dir ${CMAKE_BINARY_DIR}/include/${name})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${dir}/${name} SYMBOLIC)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${dir})
    else()
        target_include_directories(${target} PUBLIC ${dir})
    endif()
endfunction()
