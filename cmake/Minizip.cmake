# minizip's unzip half, built from the zlib source package that tools/deps.sh
# fetched, over the mingw static zlib.
set(minizip_dir "${SETUP_DEPS_DIR}/zlib/contrib/minizip")
if(NOT EXISTS "${minizip_dir}/unzip.c")
    message(FATAL_ERROR "minizip sources not found in ${minizip_dir}: run 'make deps'")
endif()
find_library(ZLIB_STATIC libz.a REQUIRED)
add_library(minizip STATIC
    "${minizip_dir}/unzip.c"
    "${minizip_dir}/ioapi.c"
    "${minizip_dir}/iowin32.c")
target_include_directories(minizip SYSTEM PUBLIC "${minizip_dir}")
target_link_libraries(minizip PUBLIC "${ZLIB_STATIC}")
# Third-party code: build it as it comes, without the project's warnings.
target_compile_options(minizip PRIVATE -w)
