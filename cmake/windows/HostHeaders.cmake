# A header-only package of the build machine for the Windows build, seen
# through a directory of its own: adding /usr/include itself would put the
# build machine's C library headers before MinGW's.
function(levora_host_headers target subdirectory)
    if(TARGET ${target})
        return()
    endif()
    set(dir ${CMAKE_BINARY_DIR}/host-headers)
    file(MAKE_DIRECTORY ${dir})
    if(NOT EXISTS ${dir}/${subdirectory})
        file(CREATE_LINK /usr/include/${subdirectory} ${dir}/${subdirectory} SYMBOLIC)
    endif()
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${dir})
endfunction()
