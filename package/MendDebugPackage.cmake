# Run by cpack after it has built the packages. CPack's debug-symbols package lists its files in
# md5sums by their paths in the build folder, not where they are installed, so dpkg could never
# verify them; and it lacks the link to the main package's documentation folder that gives it a
# copyright file and a changelog. This rebuilds it with both mended.
foreach(ddeb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT ddeb MATCHES "-dbgsym_[^/]*\\.ddeb$")
        continue()
    endif()
    set(root "${ddeb}.tree")
    file(REMOVE_RECURSE "${root}")
    execute_process(COMMAND dpkg-deb --raw-extract "${ddeb}" "${root}" COMMAND_ERROR_IS_FATAL ANY)

    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/usr/*")
    list(SORT files)
    set(sums "")
    foreach(file IN LISTS files)
        file(MD5 "${root}/${file}" sum)
        string(APPEND sums "${sum}  ${file}\n")
    endforeach()
    file(WRITE "${root}/DEBIAN/md5sums" "${sums}")

    string(TOLOWER "${CPACK_PACKAGE_NAME}" package)
    file(MAKE_DIRECTORY "${root}/usr/share/doc")
    file(CREATE_LINK "${package}" "${root}/usr/share/doc/${package}-dbgsym" SYMBOLIC)

    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip -z6 --build "${root}" "${ddeb}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${root}")
endforeach()
