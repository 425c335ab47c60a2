# Release files made from this build by packaging/package.sh: the portable zip, the installer
# and their sums in <build>/package (target release_files; the install scenario uses them).
# `make dist` runs the same script into dist/.
find_program(MDX_MAKENSIS makensis)
if(NOT MDX_MAKENSIS)
  message(STATUS "makensis not found (Debian package nsis): no release_files target")
  return()
endif()
set(MDX_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
file(GLOB MDX_PACKAGE_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/packaging/*.*
  ${CMAKE_SOURCE_DIR}/packaging/licenses/*.txt)
add_custom_command(
  OUTPUT ${MDX_PACKAGE_DIR}/Meridexa-1.50-win64.zip ${MDX_PACKAGE_DIR}/Meridexa-1.50-setup.exe
         ${MDX_PACKAGE_DIR}/SHA256SUMS
  COMMAND ${CMAKE_SOURCE_DIR}/packaging/package.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/package-stage
          ${MDX_PACKAGE_DIR}
  DEPENDS meridexa mdxutil mdxsound mdxgraph ${MDX_PACKAGE_INPUTS}
          ${CMAKE_SOURCE_DIR}/resources/icons/meridexa.ico ${CMAKE_SOURCE_DIR}/resources/help/meridexa.html
  COMMENT "Packaging the portable zip and the installer"
  VERBATIM)
add_custom_target(release_files DEPENDS ${MDX_PACKAGE_DIR}/Meridexa-1.50-setup.exe)

# The release files hold exactly the build's files, and packaging them again gives the same bytes.
add_test(NAME dist.release_files
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/packaging/check_release_files.py ${CMAKE_BINARY_DIR})
set_tests_properties(dist.release_files PROPERTIES LABELS dist TIMEOUT 300)
# Signing with a throwaway certificate: every signed file verifies, the unsigned release is unchanged.
add_test(NAME dist.signing COMMAND ${CMAKE_SOURCE_DIR}/tests/packaging/check_signing.sh ${CMAKE_BINARY_DIR})
set_tests_properties(dist.signing PROPERTIES LABELS dist TIMEOUT 300)
# These tests bring release_files up to date first; one at a time, so that they never package
# into the same folder at once.
set_tests_properties(dist.release_files dist.signing e2e.release.install_uninstall PROPERTIES
  RESOURCE_LOCK mdx_release_files)
