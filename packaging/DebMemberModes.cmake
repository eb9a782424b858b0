# Run by cpack after it has built the packages (CPACK_POST_BUILD_SCRIPTS).
#
# A .deb is an ar archive of three members. CPack gives each member the mode of
# the temporary file it was packed from, which follows the umask of whoever runs
# cpack (100664 under umask 002): the same build then gives different bytes.
# dpkg-deb always writes 100644; so is every member's mode here. Only the mode
# field of each 60-byte member header changes.
foreach(_deb ${CPACK_PACKAGE_FILES})
  if(NOT _deb MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE "${_deb}" _size)
  file(READ "${_deb}" _magic LIMIT 8)
  if(NOT _magic STREQUAL "!<arch>\n")
    message(FATAL_ERROR "${_deb} is not an ar archive")
  endif()
  set(_pos 8)
  while(_pos LESS _size)
    # name 16, mtime 12, uid 6, gid 6, mode 8, size 10, "`\n" 2
    file(READ "${_deb}" _header OFFSET ${_pos} LIMIT 60)
    string(LENGTH "${_header}" _length)
    if(NOT _length EQUAL 60 OR NOT _header MATCHES "`\n$")
      message(FATAL_ERROR "${_deb}: no ar member header at byte ${_pos}")
    endif()
    string(SUBSTRING "${_header}" 40 8 _mode)
    string(SUBSTRING "${_header}" 48 10 _member_size)
    string(STRIP "${_member_size}" _member_size)
    if(NOT _mode STREQUAL "100644  ")
      math(EXPR _mode_at "${_pos} + 40")
      execute_process(
        COMMAND sh -c "printf '100644  ' | dd of=\"$1\" bs=1 seek=\"$2\" conv=notrunc status=none"
                sh "${_deb}" ${_mode_at}
        RESULT_VARIABLE _status)
      if(NOT _status EQUAL 0)
        message(FATAL_ERROR "${_deb}: could not set the mode of a member")
      endif()
    endif()
    # Members start at even offsets.
    math(EXPR _pos "${_pos} + 60 + ${_member_size} + ${_member_size} % 2")
  endwhile()
endforeach()
