# GoogleTest: Debian's prebuilt library natively; for Windows built from the sources the
# googletest package ships, with the cross compiler.
if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  # Built without our warning flags: it is not our code.
  get_directory_property(fx_options COMPILE_OPTIONS)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${fx_options}")
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

# Environment of a test: Windows programs run under wine in a prefix inside the build
# tree, made once by the wine_prefix fixture.
set(FX_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "wine prefix for the Windows tests")
if(CMAKE_CROSSCOMPILING AND WIN32)
  add_test(NAME wine_prefix COMMAND ${PROJECT_SOURCE_DIR}/scripts/make-wine-prefix.sh ${FX_WINEPREFIX})
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine)
endif()

function(fx_test_environment test)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    set_tests_properties(${test} PROPERTIES
      ENVIRONMENT "WINEPREFIX=${FX_WINEPREFIX};WINEDEBUG=-all"
      FIXTURES_REQUIRED wine
      TIMEOUT 1500)
  endif()
endfunction()
