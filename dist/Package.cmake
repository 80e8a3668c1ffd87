# `make package`: a Debian package of the installed copy (see dist/CMakeLists.txt).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zento)
set(CPACK_PACKAGE_VENDOR "Zento developers")
set(CPACK_PACKAGE_CONTACT "Zento developers <zento@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Greek fishing card game against the computer")
# Lines of the extended description stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [[
Zento is the Greek fishing card game for one player against the computer.
You and the computer get four cards each and play them onto a pile: a card
of the pile's top rank, or a jack, takes the whole pile, and taking a lone
card with a card of its rank earns a 10-point mark. Aces, jacks, the two of
spades, the ten of diamonds and the majority of the cards score. Play single
games or a tournament to a target score from 31 to 1001, in Greek or English,
with a memory aid that shows every card already played.]])
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies are read off the libraries the program is linked with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Files 644 and folders 755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
