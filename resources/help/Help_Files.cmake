# The program's help files: each folder of resources/help/ is a help project
# (<name>.hhp with its topics, contents and index) that chmcmd compiles into
# <name>.chm beside the executable. chmcmd writes the file into its working
# folder and reads the project's files from the project's own folder, so the
# build depends on neither the source nor the build folder's place.
find_program(CHMCMD_PROGRAM chmcmd REQUIRED)

# The program looks for its help files in its own folder: they are compiled
# into the folder the executable Wireless_Ordexia is built in.
set(ORDEXIA_HELP_FILE_DIR ${CMAKE_BINARY_DIR}/bin CACHE INTERNAL "Folder of the compiled help files")

set(help_files "")
foreach(variant IN ITEMS sd hd)
  set(project_dir ${PROJECT_SOURCE_DIR}/resources/help/${variant})
  file(GLOB project_file CONFIGURE_DEPENDS ${project_dir}/*.hhp)
  file(GLOB project_sources CONFIGURE_DEPENDS ${project_dir}/*)
  get_filename_component(name ${project_file} NAME_WE)
  set(output ${ORDEXIA_HELP_FILE_DIR}/${name}.chm)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORDEXIA_HELP_FILE_DIR}
    COMMAND ${CMAKE_COMMAND} -E chdir ${ORDEXIA_HELP_FILE_DIR} ${CHMCMD_PROGRAM} ${project_file}
    DEPENDS ${project_sources}
    COMMENT "Compiling help file ${name}.chm"
    VERBATIM)
  list(APPEND help_files ${output})
endforeach()
add_custom_target(help_files ALL DEPENDS ${help_files})
