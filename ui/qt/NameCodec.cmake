# The conversion of record-holder names at the window boundary (Qt Core only), as its own small
# library so that the score tests can use it without the windows. Included from ui/qt and
# from the score tests; whichever comes first defines it.
include_guard(GLOBAL)
if(NOT TARGET quenlow_namecodec)
  add_library(quenlow_namecodec STATIC ${CMAKE_CURRENT_LIST_DIR}/NameCodec.cpp)
  target_include_directories(quenlow_namecodec PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quenlow_namecodec PUBLIC Qt6::Core)
endif()
