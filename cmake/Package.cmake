# The Debian package, made by CPack's DEB generator (scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sna)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_CONTACT "${SNA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SNA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "support needs assessment recorder for schools")
set(CPACK_PACKAGE_DESCRIPTION
"SNA records a school's support needs assessment of learners who experience
barriers to learning: per learner and per assessment year, through the four
stages of screening, identification, assessment and support. It runs beside
the school's administration system, keeps its own tables in the same
database (an SQLite file, or a PostgreSQL database the office computers
share) and prints every section as a paper page.

The package holds the program (sna) and its administration companion
(sna-admin).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt at run time, so not found by shlibdeps: the window system
# plugins. The Access import reads through libmdb, named here as well so the
# dependency holds whatever shlibdeps finds. The paper font is recommended.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libmdb3")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
