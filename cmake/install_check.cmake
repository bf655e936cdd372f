# Builds the PROGRAMS in BUILD_DIR, installs the build into a fresh PREFIX
# and checks that PREFIX holds exactly the PROGRAMS, in bin/.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${PROGRAMS}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --build ${BUILD_DIR} --target ${PROGRAMS} failed: ${status}")
endif()
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install ${BUILD_DIR} --prefix ${PREFIX} failed: ${status}")
endif()
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
set(expected)
foreach(program IN LISTS PROGRAMS)
  list(APPEND expected bin/${program})
endforeach()
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed: ${installed}\nexpected: ${expected}")
endif()
file(REMOVE_RECURSE ${PREFIX})
