# The sample payload. The native build assembles the nine files into
# <native build>/payload/files/, puts the manifest beside them and packs them into
# <native build>/payload/records/ (for the tests, the benchmark and the fuzz seeds).
# The Windows builds run the host packing tool over those same files and compile the
# generated payload.rc into the program. The records come out byte for byte the same in
# every build: fixed header words and filler, a fixed zlib level, no time stamps.

set(TARNWICK_PAYLOAD_SOURCE ${CMAKE_SOURCE_DIR}/resources/payload)
set(TARNWICK_PAYLOAD_MANIFEST ${TARNWICK_PAYLOAD_SOURCE}/manifest.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TARNWICK_PAYLOAD_MANIFEST})

# The resource names (upper-case catalogue names) and source files, in manifest order.
file(STRINGS ${TARNWICK_PAYLOAD_MANIFEST} tarnwick_payload_lines REGEX "^[A-Za-z_]")
set(TARNWICK_PAYLOAD_RESOURCES)
set(TARNWICK_PAYLOAD_FILES)
foreach(line IN LISTS tarnwick_payload_lines)
  string(REGEX MATCH "^([A-Za-z0-9_]+)[ \t]+files/([^ \t]+)" matched "${line}")
  string(TOUPPER "${CMAKE_MATCH_1}" resource)
  list(APPEND TARNWICK_PAYLOAD_RESOURCES ${resource})
  list(APPEND TARNWICK_PAYLOAD_FILES ${CMAKE_MATCH_2})
endforeach()

function(tarnwick_pack_records manifest files out_dir)
  set(records)
  foreach(resource IN LISTS TARNWICK_PAYLOAD_RESOURCES)
    list(APPEND records ${out_dir}/${resource}.bin)
  endforeach()
  add_custom_command(
    OUTPUT ${records} ${out_dir}/payload.rc
    COMMAND ${ARGN} pack ${manifest} ${out_dir}
    DEPENDS ${manifest} ${files}
    COMMENT "Packing the payload records into ${out_dir}"
    VERBATIM)
  set(TARNWICK_PAYLOAD_RECORDS ${records} PARENT_SCOPE)
endfunction()

if(NOT WIN32)
  find_program(TARNWICK_NASM nasm REQUIRED)
  set(payload_dir ${CMAKE_BINARY_DIR}/payload)
  set(files_dir ${payload_dir}/files)
  file(MAKE_DIRECTORY ${files_dir})

  # quenw.exe and tkrun.exe are real DOS programs, pr32.exe a real 32-bit Windows program.
  set(assembled)
  foreach(program dos/quenw dos/tkrun win/pr32)
    get_filename_component(name ${program} NAME)
    get_filename_component(folder ${TARNWICK_PAYLOAD_SOURCE}/${program} DIRECTORY)
    add_custom_command(
      OUTPUT ${files_dir}/${name}.exe
      COMMAND ${TARNWICK_NASM} -f bin -I${folder}/ -o ${files_dir}/${name}.exe
              ${TARNWICK_PAYLOAD_SOURCE}/${program}.asm
      DEPENDS ${TARNWICK_PAYLOAD_SOURCE}/${program}.asm ${TARNWICK_PAYLOAD_SOURCE}/dos/mz_exe.inc
      VERBATIM)
    list(APPEND assembled ${files_dir}/${name}.exe)
  endforeach()

  add_executable(tarnwick-make-wheels ${TARNWICK_PAYLOAD_SOURCE}/wheels/make_wheels.cpp)
  set(wheels ${files_dir}/wheel1.wlb ${files_dir}/wheelv4.wlb ${files_dir}/wheelv4a.wlb)
  add_custom_command(OUTPUT ${wheels}
                     COMMAND tarnwick-make-wheels ${files_dir}
                     DEPENDS tarnwick-make-wheels VERBATIM)

  set(copied)
  foreach(pair "files/readme.txt=readme.txt" "files/tkrun.hlp=tkrun.hlp" "../tarnwick.ico=tkmark.ico")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    add_custom_command(OUTPUT ${files_dir}/${to}
                       COMMAND ${CMAKE_COMMAND} -E copy ${TARNWICK_PAYLOAD_SOURCE}/${from} ${files_dir}/${to}
                       DEPENDS ${TARNWICK_PAYLOAD_SOURCE}/${from} VERBATIM)
    list(APPEND copied ${files_dir}/${to})
  endforeach()

  add_custom_command(OUTPUT ${payload_dir}/manifest.txt
                     COMMAND ${CMAKE_COMMAND} -E copy ${TARNWICK_PAYLOAD_MANIFEST} ${payload_dir}/manifest.txt
                     DEPENDS ${TARNWICK_PAYLOAD_MANIFEST} VERBATIM)

  tarnwick_pack_records(${payload_dir}/manifest.txt "${assembled};${wheels};${copied}"
                        ${payload_dir}/records $<TARGET_FILE:tarnwick-pack>)
  add_custom_target(tarnwick_payload ALL DEPENDS ${TARNWICK_PAYLOAD_RECORDS} tarnwick-pack)
else()
  # The native build has gathered the files beside the packing tool.
  get_filename_component(native_dir ${TARNWICK_PACK} DIRECTORY)
  set(native_files)
  foreach(file IN LISTS TARNWICK_PAYLOAD_FILES)
    list(APPEND native_files ${native_dir}/payload/files/${file})
  endforeach()
  set(payload_dir ${CMAKE_BINARY_DIR}/payload)
  tarnwick_pack_records(${native_dir}/payload/manifest.txt "${native_files};${TARNWICK_PACK}"
                        ${payload_dir} ${TARNWICK_PACK})
  # windres does not see into RCDATA files, so the records are named as dependencies.
  set_source_files_properties(${payload_dir}/payload.rc PROPERTIES
                              GENERATED TRUE OBJECT_DEPENDS "${TARNWICK_PAYLOAD_RECORDS}")
  list(APPEND TARNWICK_RESOURCE_FILES ${payload_dir}/payload.rc)
endif()
