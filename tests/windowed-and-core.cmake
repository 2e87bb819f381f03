# For tests/<folder>: test files named Form*Test.cpp / BrowseForFolder*Test.cpp become one
# window test binary linking the folder's window library; the other *Test.cpp files become one
# core test binary linking the core library. Usage:
#   quorvane_folder_tests(<prefix> CORE <core lib> UI <ui lib>)
function(quorvane_folder_tests prefix)
  cmake_parse_arguments(F "" "CORE;UI" "" ${ARGN})
  file(GLOB ALL_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  file(GLOB UI_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Form*Test.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/BrowseForFolder*Test.cpp)
  file(GLOB HELPERS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*Support.cpp)
  set(CORE_TESTS ${ALL_TESTS})
  if(UI_TESTS)
    list(REMOVE_ITEM CORE_TESTS ${UI_TESTS})
  endif()
  if(CORE_TESTS)
    quorvane_test(test_${prefix} SOURCES ${CORE_TESTS} ${HELPERS} LIBS ${F_CORE})
  endif()
  if(UI_TESTS AND TARGET ${F_UI})
    quorvane_test(test_${prefix}_ui SOURCES ${UI_TESTS} ${HELPERS} LIBS ${F_UI} Qt6::Test)
  endif()
endfunction()
