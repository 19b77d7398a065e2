# Version resources and application manifests of the deliverables. The version comes from the
# project() call at the top of the tree and nowhere else.
#
#   quilbar_add_version_resource(target DESCRIPTION "text" [MANIFEST])
# Gives target a VERSIONINFO resource (file and product version = PROJECT_VERSION) and, with
# MANIFEST, the application manifest (common controls 6, per-monitor DPI awareness).
set(QUILBAR_RESOURCE_TEMPLATES ${CMAKE_CURRENT_LIST_DIR}/resources)

function(quilbar_add_version_resource target)
  cmake_parse_arguments(ARG "MANIFEST" "DESCRIPTION" "" ${ARGN})
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(v_${part} ${PROJECT_VERSION_${part}})
    if("${v_${part}}" STREQUAL "")
      set(v_${part} 0)
    endif()
  endforeach()
  set(QB_VERSION_COMMAS "${v_MAJOR},${v_MINOR},${v_PATCH},${v_TWEAK}")
  set(QB_VERSION_DOTS "${v_MAJOR}.${v_MINOR}.${v_PATCH}.${v_TWEAK}")
  set(QB_DESCRIPTION "${ARG_DESCRIPTION}")
  set(QB_INTERNAL_NAME "${target}")
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "SHARED_LIBRARY")
    set(QB_ORIGINAL_FILENAME "${target}.dll")
    set(QB_FILE_TYPE VFT_DLL)
  else()
    set(QB_ORIGINAL_FILENAME "${target}.exe")
    set(QB_FILE_TYPE VFT_APP)
  endif()
  set(QB_MANIFEST_LINE "")
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  if(ARG_MANIFEST)
    configure_file(${QUILBAR_RESOURCE_TEMPLATES}/Application.manifest.in ${dir}/${target}.manifest @ONLY)
    # 1 = CREATEPROCESS_MANIFEST_RESOURCE_ID, 24 = RT_MANIFEST (the names are not in every SDK's
    # resource headers).
    set(QB_MANIFEST_LINE "1 24 \"${target}.manifest\"")
  endif()
  configure_file(${QUILBAR_RESOURCE_TEMPLATES}/VersionInfo.rc.in ${dir}/${target}_version.rc @ONLY)
  if(ARG_MANIFEST)
    set_source_files_properties(${dir}/${target}_version.rc PROPERTIES OBJECT_DEPENDS ${dir}/${target}.manifest)
  endif()
  target_sources(${target} PRIVATE ${dir}/${target}_version.rc)
  # windres resolves the manifest's file name against the include path.
  target_include_directories(${target} PRIVATE ${dir})
endfunction()
