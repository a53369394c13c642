# The board picture on the Qt side: wrapping it in a QImage, and the artwork's tiles as
# palette indices. Included from ui/qt/CMakeLists.txt and, when that is not built, by the
# picture tests.
add_library(quenlow_qtpicture STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PictureImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArtTiles.cpp
)
target_include_directories(quenlow_qtpicture PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quenlow_qtpicture PUBLIC Qt6::Gui quenlow_picture quenlow_art)
