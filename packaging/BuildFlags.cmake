# Build settings that make a Release build what a distribution ships: the same
# bytes wherever and whenever it is built, and the distribution's hardening.
# Included by the top-level CMakeLists.txt before any target is defined.

# qov_changelog_date(CHANGELOG VAR): VAR is the date of CHANGELOG's first entry,
# in seconds since 1970 (what dpkg-parsechangelog -STimestamp gives).
function(qov_changelog_date changelog var)
  # The trailer of the first entry: " -- NAME <EMAIL>  Sun, 06 Dec 2026 12:00:00 +0000".
  # Read here rather than with dpkg-parsechangelog, which not every system has.
  file(STRINGS ${changelog} _trailers REGEX "^ -- ")
  list(GET _trailers 0 _trailer)
  set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  if(NOT _trailer MATCHES
     "  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ([0-9][0-9]):([0-9][0-9]):([0-9][0-9]) ([+-])([0-9][0-9])([0-9][0-9])$")
    message(FATAL_ERROR "debian/changelog: no date in its first entry's trailer: ${_trailer}")
  endif()
  set(_day ${CMAKE_MATCH_1})
  list(FIND _months ${CMAKE_MATCH_2} _month)
  set(_year ${CMAKE_MATCH_3})
  set(_seconds "${CMAKE_MATCH_4} * 3600 + ${CMAKE_MATCH_5} * 60 + ${CMAKE_MATCH_6}")
  set(_offset "${CMAKE_MATCH_7} (${CMAKE_MATCH_8} * 3600 + ${CMAKE_MATCH_9} * 60)")
  if(_month LESS 0)
    message(FATAL_ERROR "debian/changelog: unknown month in ${_trailer}")
  endif()
  # Days since 1970-01-01 of a date in the proleptic Gregorian calendar
  # (Howard Hinnant's days_from_civil; March is the year's first month).
  math(EXPR _month "${_month} + 1")
  if(_month LESS_EQUAL 2)
    math(EXPR _year "${_year} - 1")
    math(EXPR _shifted "${_month} + 9")
  else()
    math(EXPR _shifted "${_month} - 3")
  endif()
  math(EXPR _era "${_year} / 400")
  math(EXPR _yoe "${_year} - ${_era} * 400")
  math(EXPR _doy "(153 * ${_shifted} + 2) / 5 + ${_day} - 1")
  math(EXPR _doe "${_yoe} * 365 + ${_yoe} / 4 - ${_yoe} / 100 + ${_doy}")
  math(EXPR _days "${_era} * 146097 + ${_doe} - 719468")
  # A time zone east of Greenwich is ahead of UTC.
  math(EXPR _epoch "${_days} * 86400 + ${_seconds} - (${_offset})")
  set(${var} ${_epoch} PARENT_SCOPE)
endfunction()

# --- One date for everything the build stamps ---------------------------------
# SOURCE_DATE_EPOCH is the date of the release's entry in debian/changelog (or
# the one set when configuring, as a distribution's build does). Every compile
# and every custom command runs with it: rcc then stores it as the time of each
# embedded file (icons, translations) instead of the checkout's or the build's
# file times, and __DATE__ would give it. CPack stamps the packages' files with
# it too (CPackProjectConfig.cmake.in).
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/debian/changelog)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(QOV_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  qov_changelog_date(${CMAKE_CURRENT_LIST_DIR}/debian/changelog QOV_SOURCE_DATE_EPOCH)
endif()
if(NOT QOV_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: ${QOV_SOURCE_DATE_EPOCH}")
endif()
set(_with_date "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${QOV_SOURCE_DATE_EPOCH}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_COMPILE "${_with_date}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${_with_date}")

# --- No folder of this machine in the binaries ---------------------------------
# __FILE__ and the debug information name the sources and the generated files
# relative to the source folder, so two checkouts in different folders build
# the same binaries (and so the same build ID). Debug builds keep full paths for
# the debugger.
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
  file(RELATIVE_PATH _build_in_source ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
  if(_build_in_source MATCHES "^\\.\\./" OR IS_ABSOLUTE "${_build_in_source}")
    add_compile_options(-ffile-prefix-map=${CMAKE_BINARY_DIR}=./build)
  endif()
  # moc's output includes each header by its path under an include folder (the
  # source folder), not by "../../<folders up to the source>/x.h" from a build
  # folder outside the sources, which no prefix map matches.
  set(CMAKE_AUTOMOC_PATH_PREFIX ON)
endif()

# --- The distribution's flags ----------------------------------------------------
# A Release build on a system with dpkg-buildflags (Debian and its derivatives)
# takes its compiler and linker flags, with every hardening feature on (bindnow
# too) unless DEB_BUILD_MAINT_OPTIONS says otherwise: -O2 -g, the stack
# protector, _FORTIFY_SOURCE, full RELRO. The package strips the debug
# information again.
option(QOV_DISTRIBUTION_FLAGS "Release builds take the flags of dpkg-buildflags where it exists" ON)
if(QOV_DISTRIBUTION_FLAGS AND CMAKE_BUILD_TYPE STREQUAL "Release")
  find_program(QOV_DPKG_BUILDFLAGS dpkg-buildflags)
  if(QOV_DPKG_BUILDFLAGS)
    set(_maint_options "hardening=+all")
    if(DEFINED ENV{DEB_BUILD_MAINT_OPTIONS})
      set(_maint_options "$ENV{DEB_BUILD_MAINT_OPTIONS}")
    endif()
    foreach(_kind CPPFLAGS CXXFLAGS LDFLAGS)
      # Run in the source folder: dpkg-buildflags maps its working folder to "."
      # (-ffile-prefix-map), as above.
      execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=${_maint_options}"
                ${QOV_DPKG_BUILDFLAGS} --get ${_kind}
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        OUTPUT_VARIABLE _flags OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE _status)
      if(NOT _status EQUAL 0)
        message(FATAL_ERROR "dpkg-buildflags --get ${_kind} failed (${_status})")
      endif()
      separate_arguments(_flags UNIX_COMMAND "${_flags}")
      if(_kind STREQUAL "LDFLAGS")
        add_link_options(${_flags})
      else()
        # After CMake's own Release flags, so the distribution's -O2 wins.
        add_compile_options(${_flags})
      endif()
      list(JOIN _flags " " _shown)
      message(STATUS "${_kind} from dpkg-buildflags: ${_shown}")
    endforeach()
  endif()
endif()

# qov_install_strip_sections(COMPONENT TARGET...): a stripped install (cpack,
# cmake --install --strip) also drops the sections Debian's own strip removes:
# the compiler's .comment and .note.
function(qov_install_strip_sections component)
  if(NOT CMAKE_STRIP)
    return()
  endif()
  foreach(_target ${ARGN})
    install(CODE "
      if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/$<TARGET_FILE_NAME:${_target}>\"
                        RESULT_VARIABLE _qov_strip)
        if(NOT _qov_strip EQUAL 0)
          message(FATAL_ERROR \"strip $<TARGET_FILE_NAME:${_target}> failed\")
        endif()
      endif()
      " COMPONENT ${component})
  endforeach()
endfunction()
