# The diagram decoder and the embedded artwork.
tivaro_add_test(test_jpeg_image
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_jpeg_image.cpp
    LIBS tivaro_jpeg tivaro_assets JPEG::JPEG)
# Links nothing but the assets, to prove the resource registers itself.
tivaro_add_test(test_embedded_assets
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_embedded_assets.cpp
    LIBS tivaro_assets Qt6::Gui)
