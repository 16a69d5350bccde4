# Penlet changes Scintilla 5.3.3 in a few places, each for a reason measured and explained in its
# patch: patches/scintilla/ holds them as a series of unified diffs against the unpacked release,
# applied in the order of their numbers (its README has the table). The release stays as it is:
# the build applies the series to a copy of its src and win32 folders and compiles that copy.
#
# penlet_patch_scintilla(<release dir> <sources variable> <folders variable>) sets the first
# variable to the patched sources to compile and the second to their own folders, which the
# library includes besides the release's include folder.
function(penlet_patch_scintilla release sources folders)
  set(series_dir "${PROJECT_SOURCE_DIR}/patches/scintilla")
  file(GLOB patches CONFIGURE_DEPENDS "${series_dir}/*.patch")
  list(SORT patches)
  set(patched "${CMAKE_BINARY_DIR}/scintilla-patched")
  set(staging "${CMAKE_BINARY_DIR}/scintilla-staging")

  # Each configure applies the whole series to a fresh copy.
  file(REMOVE_RECURSE "${staging}")
  file(MAKE_DIRECTORY "${staging}")
  file(COPY "${release}/src" "${release}/win32" DESTINATION "${staging}")
  find_package(Git QUIET)
  find_program(PENLET_PATCH_PROGRAM patch)
  foreach(patch ${patches})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${patch}")
    if(GIT_FOUND)
      # Git looks no higher than the staging folder for a repository: inside one (this project's
      # build folder), it would take the patch's paths from that repository's top and skip them.
      set(apply "${CMAKE_COMMAND}" -E env "GIT_CEILING_DIRECTORIES=${CMAKE_BINARY_DIR}"
        "${GIT_EXECUTABLE}" apply --whitespace=nowarn "${patch}")
    elseif(PENLET_PATCH_PROGRAM)
      set(apply "${PENLET_PATCH_PROGRAM}" -p1 --forward --batch --fuzz=0 --no-backup-if-mismatch
        -i "${patch}")
    else()
      message(FATAL_ERROR "Applying the patches to Scintilla takes Git (or patch): none was found")
    endif()
    execute_process(COMMAND ${apply} WORKING_DIRECTORY "${staging}"
      RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(failed)
      file(RELATIVE_PATH name "${PROJECT_SOURCE_DIR}" "${patch}")
      message(FATAL_ERROR "${name} does not apply to ${release}: is that Scintilla 5.3.3 as "
        "released, and is the patch up to date with the ones before it?\n${output}")
    endif()
  endforeach()

  # Into place only where the text differs, so that configuring again rebuilds nothing that
  # did not change.
  file(GLOB_RECURSE staged RELATIVE "${staging}" "${staging}/*")
  foreach(file ${staged})
    configure_file("${staging}/${file}" "${patched}/${file}" COPYONLY)
  endforeach()

  file(GLOB list "${patched}/src/*.cxx")
  list(APPEND list "${patched}/win32/ScintillaWin.cxx" "${patched}/win32/PlatWin.cxx"
    "${patched}/win32/HanjaDic.cxx")
  set(${sources} "${list}" PARENT_SCOPE)
  set(${folders} "${patched}/src" "${patched}/win32" PARENT_SCOPE)
endfunction()
