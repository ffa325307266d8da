# Makes OUT_DIR/NAME.zip, run by the package_zip target:
#   cmake -DEXE=... -DSTRIP=... -DBUILD_TYPE=... -DSOURCE_DIR=... -DNAME=... -DOUT_DIR=... -P PackageZip.cmake
# The zip holds one folder NAME with FILORA.EXE, SHA256SUMS, README.md and docs/*.png.
if(NOT BUILD_TYPE STREQUAL "Release")
  message(FATAL_ERROR "package_zip packs a Release build; this folder is configured as "
                      "'${BUILD_TYPE}': configure a folder with -DCMAKE_BUILD_TYPE=Release")
endif()
if(NOT STRIP)
  message(FATAL_ERROR "package_zip: no strip tool found (binutils-mingw-w64-i686 or -x86-64 has it)")
endif()

set(root ${OUT_DIR}/package)
set(stage ${root}/${NAME})
file(REMOVE_RECURSE ${root} ${OUT_DIR}/${NAME}.zip)
file(MAKE_DIRECTORY ${stage}/docs)

# The static runtime libraries bring DWARF sections with their build machines' paths; a user's
# copy needs neither them nor the symbol table.
execute_process(COMMAND ${STRIP} --strip-all -o ${stage}/FILORA.EXE ${EXE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "package_zip: ${STRIP} failed on ${EXE}")
endif()
file(SHA256 ${stage}/FILORA.EXE hash)
# The format sha256sum -c reads: hash, two blanks, name.
file(WRITE ${stage}/SHA256SUMS "${hash}  FILORA.EXE\n")

file(COPY ${SOURCE_DIR}/README.md DESTINATION ${stage})
file(GLOB pictures ${SOURCE_DIR}/docs/*.png)
file(COPY ${pictures} DESTINATION ${stage}/docs)

execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT_DIR}/${NAME}.zip --format=zip ${NAME}
                WORKING_DIRECTORY ${root} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "package_zip: could not write ${OUT_DIR}/${NAME}.zip")
endif()
