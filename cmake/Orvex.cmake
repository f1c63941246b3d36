# Shared build settings: warnings as errors, optional sanitizers, and a helper
# that makes one static library out of every source file of a folder.

add_compile_options(-Wall -Wextra -Werror)
if(ORVEX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(ORVEX_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# orvex_folder_library(NAME DIR [SUBDIRS ...] [DEPS ...]): a static library of
# DIR/*.cpp and of each DIR/SUBDIR/*.cpp, include root at the source tree's top.
function(orvex_folder_library name dir)
  cmake_parse_arguments(ARG "" "" "SUBDIRS;DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  foreach(sub ${ARG_SUBDIRS})
    file(GLOB more CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/${sub}/*.cpp)
    list(APPEND srcs ${more})
  endforeach()
  if(NOT srcs)
    return()  # a folder without code yet has no library
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  foreach(dep ${ARG_DEPS})
    if(TARGET ${dep} OR NOT dep MATCHES "^orvex_")
      target_link_libraries(${name} PUBLIC ${dep})
    endif()
  endforeach()
endfunction()

# orvex_test(NAME DIR [DEPS ...]): one GoogleTest executable of DIR/*.cpp
# (recursive), registered with CTest.
function(orvex_test name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
