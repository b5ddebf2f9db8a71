# cpack -G DEB (in the build folder, after the build) makes tonewright_<version>_<arch>.deb:
# the installed tree under /usr. The libraries it needs come from the programs themselves
# (dpkg-shlibdeps); what the program needs besides them is named here: GStreamer's good
# plugins decode MP3 for playback (Qt Multimedia plays through GStreamer), the base plugins
# convert and resample.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tonewright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillmere Tonewright")
set(CPACK_PACKAGE_CONTACT "Quillmere Tonewright developers <tonewright@quillmere.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the tags of MP3 files (ID3v1.1, ID3v2.3)")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmere Tonewright shows the MP3 files of a folder with the fields of their ID3v1.1 and
ID3v2.3 tags and saves them, one file after the other or held fields onto many files. It
fills tags from file names, renames files from their tags, removes tags and pictures,
builds an HTML tag list of a folder and joins tracks into an album file.
tonewright-cli runs the same jobs from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/quillmere/tonewright")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "gstreamer1.0-plugins-good, gstreamer1.0-plugins-base")
# Sound through PulseAudio or PipeWire's pulse server; a native window on Wayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-pulseaudio, qt6-wayland")
include(CPack)
