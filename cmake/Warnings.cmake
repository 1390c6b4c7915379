# Warnings are errors in every build; paths are mapped so that no build folder ends up in a binary.
add_compile_options(-Wall -Wextra -Werror
                    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
