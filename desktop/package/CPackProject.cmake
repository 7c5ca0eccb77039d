# Read by cpack before it packages: only an optimised build without sanitizers becomes a package.
if(CPACK_GENERATOR STREQUAL "DEB")
  if(NOT CPACK_KELVARN_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$" OR
     CPACK_KELVARN_SANITIZE)
    message(FATAL_ERROR "kelvarn: a package is made from a Release or RelWithDebInfo build "
      "without sanitizers; this build is '${CPACK_KELVARN_BUILD_TYPE}'"
      "${CPACK_KELVARN_SANITIZE_NOTE}")
  endif()
endif()
