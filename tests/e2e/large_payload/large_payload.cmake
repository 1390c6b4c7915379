# TarnwickSetupLarge.exe: the installer built from the same sources as TarnwickSetup.exe,
# with a payload of nine large items, so that a run copies long enough for the end-to-end
# scenarios to click Pause, Resume, Cancel and the close box while it writes. A test build
# only: the generated records stay in the build folder and nothing ships it.
set(TARNWICK_LARGE_ITEM_MIB 8 CACHE STRING "size of each item of the large test payload, in MiB")
find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND OR NOT TARGET TarnwickSetup)
  return()
endif()

set(large_dir ${CMAKE_BINARY_DIR}/large-payload)
set(large_generator ${CMAKE_CURRENT_LIST_DIR}/make_large_payload.py)
set(large_records)
foreach(resource IN LISTS TARNWICK_PAYLOAD_RESOURCES)
  list(APPEND large_records ${large_dir}/${resource}.bin)
endforeach()
add_custom_command(
  OUTPUT ${large_records} ${large_dir}/payload.rc
  COMMAND ${CMAKE_COMMAND} -E make_directory ${large_dir}
  COMMAND ${Python3_EXECUTABLE} ${large_generator} ${TARNWICK_PAYLOAD_MANIFEST} ${TARNWICK_PACK}
          ${large_dir} ${TARNWICK_LARGE_ITEM_MIB}
  DEPENDS ${large_generator} ${TARNWICK_PAYLOAD_MANIFEST} ${TARNWICK_PACK}
  COMMENT "Packing the large test payload (9 x ${TARNWICK_LARGE_ITEM_MIB} MiB) into ${large_dir}"
  VERBATIM)
set_source_files_properties(${large_dir}/payload.rc PROPERTIES
                            GENERATED TRUE OBJECT_DEPENDS "${large_records}")

tarnwick_add_installer(TarnwickSetupLarge "${CMAKE_SOURCE_DIR}/resources/product.rc;${large_dir}/payload.rc")
