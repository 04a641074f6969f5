# The icon, version information and manifest of quorvel.exe, compiled into it
# with windres. The version comes from project() and nowhere else.
enable_language(RC)

find_program(QUORVEL_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(QUORVEL_ICOTOOL icotool REQUIRED)

function(quorvel_program_resources target)
  set(sources ${PROJECT_SOURCE_DIR}/app/win32/resources)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/resources)
  file(MAKE_DIRECTORY ${out})

  # Every size is drawn from its vector source rather than shrunk from a bigger
  # bitmap; the small ones have a drawing of their own on the 16-pixel grid.
  set(pngs)
  foreach(size 16 20 24 32 48 256)
    if(size LESS 32)
      set(svg ${sources}/quorvel-small.svg)
    else()
      set(svg ${sources}/quorvel.svg)
    endif()
    add_custom_command(OUTPUT ${out}/quorvel-${size}.png
                       COMMAND ${QUORVEL_RSVG_CONVERT} -w ${size} -h ${size} -o ${out}/quorvel-${size}.png ${svg}
                       DEPENDS ${svg} VERBATIM)
    list(APPEND pngs ${out}/quorvel-${size}.png)
  endforeach()
  # The 256-pixel image stays a PNG inside the icon (-r), as Windows expects.
  list(FILTER pngs EXCLUDE REGEX "-256\\.png$")
  set(QUORVEL_ICON ${out}/quorvel.ico)
  add_custom_command(OUTPUT ${QUORVEL_ICON}
                     COMMAND ${QUORVEL_ICOTOOL} -c -o ${QUORVEL_ICON} ${pngs} -r ${out}/quorvel-256.png
                     DEPENDS ${pngs} ${out}/quorvel-256.png VERBATIM)

  set(QUORVEL_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(QUORVEL_VERSION_DOTS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  set(QUORVEL_MANIFEST ${out}/quorvel.manifest)
  configure_file(${sources}/quorvel.manifest.in ${QUORVEL_MANIFEST} @ONLY)
  configure_file(${sources}/quorvel.rc.in ${out}/quorvel.rc @ONLY)

  target_sources(${target} PRIVATE ${out}/quorvel.rc)
  # windres reads these while compiling the script; the build must know it.
  set_source_files_properties(${out}/quorvel.rc PROPERTIES
                              OBJECT_DEPENDS "${QUORVEL_ICON};${QUORVEL_MANIFEST}")
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
