# Builds the Debian package as the README does and unpacks it with dpkg-deb -x into OUT/root;
# installs as the README does (cmake --install --prefix --strip) into OUT/prefix.
#   cmake -DCPACK=... -DCONFIG=.../CPackConfig.cmake -DBUILD=... -DOUT=... -P makepackage.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} -G DEB --config ${CONFIG} -B ${OUT} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cpack failed")
endif()
file(GLOB packages ${OUT}/tintora_*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one tintora_*.deb, found: ${packages}")
endif()
file(REMOVE_RECURSE ${OUT}/_CPack_Packages)
execute_process(COMMAND dpkg-deb -x ${packages} ${OUT}/root RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "dpkg-deb -x failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${OUT}/prefix --strip
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmake --install failed")
endif()
