# Run by cpack on its staging tree before the package is made: Debian keeps a
# package's private libraries in the multiarch library folder, where the
# programs look for the phone-link library too.
set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/lib)
if(NOT EXISTS ${staged}/tintora/libp2kapi.so)
    message(FATAL_ERROR "no ${staged}/tintora/libp2kapi.so to move")
endif()
file(MAKE_DIRECTORY ${staged}/${CPACK_TINTORA_MULTIARCH})
# cpack keeps what an earlier run moved there.
file(REMOVE_RECURSE ${staged}/${CPACK_TINTORA_MULTIARCH}/tintora)
file(RENAME ${staged}/tintora ${staged}/${CPACK_TINTORA_MULTIARCH}/tintora)
