# The Linux tarball and the Debian package, built by cpack from the build tree:
# their contents, the package's fields, lintian's verdict, and the plug-in and
# the host working from where the package puts them.
# -DBUILD_DIR -DCPACK -DSCRATCH -DVERSION -DVENDOR_VERSION -DSOURCE_DIR
include(${CMAKE_CURRENT_LIST_DIR}/PackageChecks.cmake)
# The documents the README links to travel beside it.
file(GLOB docs RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/docs/*)
set(top QuorvelDelay-${VERSION}-linux-x86_64)
list(TRANSFORM docs PREPEND ${top}/share/doc/quorvel-delay/ OUTPUT_VARIABLE tarball_docs)
list(TRANSFORM docs PREPEND usr/share/doc/quorvel-delay/ OUTPUT_VARIABLE package_docs)
file(REMOVE_RECURSE ${SCRATCH})
check_run(output ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${SCRATCH})

file(MAKE_DIRECTORY ${SCRATCH}/tarball)
check_run(output ${CMAKE_COMMAND} -E chdir ${SCRATCH}/tarball ${CMAKE_COMMAND} -E tar xf ${SCRATCH}/${top}.tar.gz)
check_files(${SCRATCH}/tarball ${top}/bin/quorvel-host ${top}/lib/vst/QuorvelDelay.so ${top}/lib/clap/QuorvelDelay.clap
            ${top}/lib/vst3/QuorvelDelay.vst3/Contents/x86_64-linux/QuorvelDelay.so
            ${top}/lib/vst3/QuorvelDelay.vst3/Contents/Resources/moduleinfo.json
            ${top}/lib/lv2/quorvel-delay.lv2/manifest.ttl ${top}/lib/lv2/quorvel-delay.lv2/quorvel-delay.ttl
            ${top}/lib/lv2/quorvel-delay.lv2/quorvel-delay.so ${top}/lib/lv2/quorvel-delay.lv2/quorvel-delay-ui.so
            ${top}/share/doc/quorvel-delay/LICENSE ${top}/share/doc/quorvel-delay/README.md
            ${top}/share/man/man1/quorvel-host.1.gz ${tarball_docs})

set(deb ${SCRATCH}/quorvel-delay_${VERSION}_amd64.deb)
check_run(fields dpkg-deb --field ${deb} Package Version Architecture Section Depends Description)
# Depends comes from dpkg-shlibdeps: at least the C library and libsndfile of quorvel-host.
check_matches("${fields}" "the package's fields"
              "Package: quorvel-delay\n" "Version: ${VERSION}\n" "Architecture: amd64\n" "Section: sound\n"
              "Depends: [^\n]*libc6 \\(>= [^\n]*libsndfile1" "Description: stereo delay plug-in \\(VST3, CLAP, VST 2.4, LV2\\)[^\n]*\n .*quorvel-host")

set(root ${SCRATCH}/root)
check_run(output dpkg -x ${deb} ${root})
set(doc usr/share/doc/quorvel-delay)
set(bundle usr/lib/vst3/QuorvelDelay.vst3)
set(lv2_bundle usr/lib/lv2/quorvel-delay.lv2)
check_files(${root} usr/bin/quorvel-host usr/lib/vst/QuorvelDelay.so usr/lib/clap/QuorvelDelay.clap
            usr/share/man/man1/quorvel-host.1.gz
            ${bundle}/Contents/x86_64-linux/QuorvelDelay.so ${bundle}/Contents/Resources/moduleinfo.json
            ${lv2_bundle}/manifest.ttl ${lv2_bundle}/quorvel-delay.ttl ${lv2_bundle}/quorvel-delay.so
            ${lv2_bundle}/quorvel-delay-ui.so
            ${doc}/LICENSE ${doc}/README.md ${doc}/copyright ${doc}/changelog.gz ${package_docs})
check_run(info ${root}/usr/bin/quorvel-host info ${root}/usr/lib/vst/QuorvelDelay.so)
check_matches("${info}" "quorvel-host info on the installed module"
              "effect name: +Quorvel Delay" "vendor version: ${VENDOR_VERSION}\n" "parameters: +12")
check_run(info ${root}/usr/bin/quorvel-host info ${root}/${bundle})
check_matches("${info}" "quorvel-host info on the installed bundle"
              "56535451446C7971756F7276656C2064 +Quorvel Delay \\(Audio Module Class; Fx\\|Delay\\), version ${VERSION}")
check_run(info ${root}/usr/bin/quorvel-host info ${root}/usr/lib/clap/QuorvelDelay.clap)
check_matches("${info}" "quorvel-host info on the installed CLAP module" "id: +com.quorvel.delay" "version: +${VERSION}\n")
check_run(info ${root}/usr/bin/quorvel-host info ${root}/${lv2_bundle})
check_matches("${info}" "quorvel-host info on the installed LV2 bundle"
              "plug-in: +https://quorvel.example/delay/lv2" "ports: 20" "X11UI")
check_run(version ${root}/usr/bin/quorvel-host --version)
check_matches("${version}" "quorvel-host --version" "^quorvel-host ${VERSION}\n$")
check_run(manual gzip -dc ${root}/usr/share/man/man1/quorvel-host.1.gz)
check_matches("${manual}" "the manual page" "\\.TH QUORVEL-HOST \"1\" [^\n]*\"quorvel-host ${VERSION}\"" "validate MODULE")

# Lintian's errors fail the check; its warnings are shown.
execute_process(COMMAND lintian --fail-on error ${deb} OUTPUT_VARIABLE lintian ERROR_VARIABLE lintian
                RESULT_VARIABLE status)
message(STATUS "lintian:\n${lintian}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lintian reports errors on ${deb}")
endif()
