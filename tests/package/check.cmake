# Installs the library into a scratch prefix, then configures and builds the
# consumer against it with the same toolchain. Run with -DBUILD=<build dir>
# -DSOURCE=<source dir> -DTOOLCHAIN=<toolchain file>.
set(prefix ${BUILD}/package-check/prefix)
file(REMOVE_RECURSE ${BUILD}/package-check)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "install failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE}/tests/package -B ${BUILD}/package-check/build
                -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -Dmu_DIR=${prefix}/lib/cmake/mu
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer configure failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD}/package-check/build RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "consumer build failed")
endif()
