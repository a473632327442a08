# Helpers that give every target of the project the same flags.

set(HV_WARNINGS -Wall -Wextra)
if(HV_WERROR)
  list(APPEND HV_WARNINGS -Werror)
endif()

set(HV_SANITIZE_FLAGS "")
if(HV_SANITIZE)
  set(HV_SANITIZE_FLAGS -fsanitize=${HV_SANITIZE} -fno-omit-frame-pointer)
  if(HV_SANITIZE MATCHES "undefined")
    list(APPEND HV_SANITIZE_FLAGS -fno-sanitize-recover=all)
  endif()
endif()

# True in a ThreadSanitizer build: only the threaded tests are built and run.
if(HV_SANITIZE MATCHES "thread")
  set(HV_TSAN ON)
else()
  set(HV_TSAN OFF)
endif()

function(hv_apply_flags target)
  target_compile_options(${target} PRIVATE ${HV_WARNINGS} ${HV_SANITIZE_FLAGS})
  target_link_options(${target} PRIVATE ${HV_SANITIZE_FLAGS})
endfunction()

# hv_library(NAME <target> [SHARED] [DIRS <dir>...] [DEPS <target>...] [SYSTEM_DEPS ...])
# Collects the .cpp files of the calling folder (and the extra DIRS below it).
function(hv_library)
  cmake_parse_arguments(A "SHARED" "NAME" "DIRS;DEPS" ${ARGN})
  set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(d IN LISTS A_DIRS)
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${d}/*.cpp)
  endforeach()
  file(GLOB srcs CONFIGURE_DEPENDS ${globs})
  if(NOT srcs)
    # A folder with headers only (so far): its users still link the target.
    add_library(${A_NAME} INTERFACE)
    target_include_directories(${A_NAME} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${A_NAME} INTERFACE ${A_DEPS})
    return()
  endif()
  if(A_SHARED)
    add_library(${A_NAME} SHARED ${srcs})
  else()
    add_library(${A_NAME} STATIC ${srcs})
  endif()
  target_include_directories(${A_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${A_NAME} PUBLIC ${A_DEPS})
  hv_apply_flags(${A_NAME})
endfunction()

# hv_test(NAME <target> [THREADED] [DEPS <target>...] [SOURCES <file>...])
# One GoogleTest program from the .cpp files of the calling folder (or SOURCES).
# THREADED programs also run under ThreadSanitizer; a TSan build still defines
# the others (so a folder's list may refer to them) but neither builds nor runs them.
function(hv_test)
  cmake_parse_arguments(A "THREADED" "NAME" "DEPS;SOURCES" ${ARGN})
  set(skipped OFF)
  if(HV_TSAN AND NOT A_THREADED)
    set(skipped ON)
  endif()
  if(A_SOURCES)
    set(srcs ${A_SOURCES})
  else()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(skipped)
    add_executable(${A_NAME} EXCLUDE_FROM_ALL ${srcs})
  else()
    add_executable(${A_NAME} ${srcs})
  endif()
  target_link_libraries(${A_NAME} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_compile_definitions(${A_NAME} PRIVATE
    HV_SOURCE_DIR="${PROJECT_SOURCE_DIR}" HV_BINARY_DIR="${PROJECT_BINARY_DIR}")
  hv_apply_flags(${A_NAME})
  if(skipped)
    return()
  endif()
  set(labels unit)
  if(A_THREADED)
    list(APPEND labels threads)
  endif()
  gtest_discover_tests(${A_NAME} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES LABELS "${labels}" TIMEOUT 600)
  if(A_THREADED)
    add_dependencies(hv_threaded_tests ${A_NAME})
  endif()
endfunction()

# hv_python_test(NAME <test> SCRIPT <file> [ARGS ...] [DEPENDS <target>...])
# A test run by Debian's python3 (which has python3-ezdxf), never the pyenv one.
# It imports the shared helpers of tests/support (test_folders) by name.
function(hv_python_test)
  cmake_parse_arguments(A "" "NAME;SCRIPT" "ARGS" ${ARGN})
  if(HV_TSAN)
    return()
  endif()
  add_test(NAME ${A_NAME} COMMAND /usr/bin/python3 ${A_SCRIPT} ${A_ARGS}
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${A_NAME} PROPERTIES LABELS "python" TIMEOUT 600
                       ENVIRONMENT "PYTHONPATH=${PROJECT_SOURCE_DIR}/tests/support")
endfunction()
