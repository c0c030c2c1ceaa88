# Writes quoria.pc at install time, when CMAKE_INSTALL_PREFIX is the prefix
# being installed to. Directories given relative to the prefix are written
# relative to ${prefix} in the file, absolute ones as they are.
foreach(dir LIBDIR INCLUDEDIR)
    if(IS_ABSOLUTE "${QUORIA_PC_${dir}}")
        set(QUORIA_PC_FULL_${dir} "${QUORIA_PC_${dir}}")
    else()
        set(QUORIA_PC_FULL_${dir} "\${prefix}/${QUORIA_PC_${dir}}")
    endif()
endforeach()
set(QUORIA_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
configure_file("${QUORIA_PC_TEMPLATE}" "${QUORIA_PC_OUTPUT}" @ONLY)
