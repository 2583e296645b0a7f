# The release notes in NEWS, newest first, give everything that names a release: the manual
# pages' title lines, the AppStream metadata's <releases> and the Debian changelog. The version
# itself is written only in the top-level project(); NEWS must begin with that version.
#
# A release in NEWS is a heading line "VERSION (YYYY-MM-DD)", an underline, and items that
# start with "* " and continue on lines indented by two spaces.
#
# Sets EC_RELEASE_VERSION (major.minor.patch) and EC_RELEASE_DATE (the newest release's day),
# and ec_release_notes(FORMAT OUTPUT_VARIABLE) for the two formats below.

set(EC_RELEASE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/NEWS)

# NEWS as a CMake list of lines. Semicolons and brackets, which CMake lists would take as
# separators or quoting, travel as placeholders until the text is written out.
file(READ ${PROJECT_SOURCE_DIR}/NEWS ec_news)
string(REPLACE ";" "<ec-semicolon>" ec_news "${ec_news}")
string(REPLACE "[" "<ec-open>" ec_news "${ec_news}")
string(REPLACE "]" "<ec-close>" ec_news "${ec_news}")
string(REPLACE "\n" ";" ec_news_lines "${ec_news}")

# Each release becomes EC_RELEASE_<n>_VERSION, _DATE and _ITEMS (one line of text per item);
# EC_RELEASES lists the numbers, newest first.
set(EC_RELEASES)
set(ec_release 0)
foreach(line IN LISTS ec_news_lines)
  if(line MATCHES "^([0-9]+\\.[0-9]+\\.[0-9]+) \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)$")
    math(EXPR ec_release "${ec_release} + 1")
    list(APPEND EC_RELEASES ${ec_release})
    set(EC_RELEASE_${ec_release}_VERSION ${CMAKE_MATCH_1})
    set(EC_RELEASE_${ec_release}_DATE ${CMAKE_MATCH_2})
    set(EC_RELEASE_${ec_release}_ITEMS)
  elseif(ec_release GREATER 0 AND line MATCHES "^\\* (.*)$")
    list(APPEND EC_RELEASE_${ec_release}_ITEMS "${CMAKE_MATCH_1}")
  elseif(ec_release GREATER 0 AND line MATCHES "^  +(.*)$")
    list(POP_BACK EC_RELEASE_${ec_release}_ITEMS item)
    list(APPEND EC_RELEASE_${ec_release}_ITEMS "${item} ${CMAKE_MATCH_1}")
  endif()
endforeach()

if(NOT EC_RELEASES OR NOT EC_RELEASE_1_VERSION STREQUAL EC_RELEASE_VERSION)
  message(FATAL_ERROR "NEWS must begin with the project's version, ${EC_RELEASE_VERSION} "
    "(a heading line \"${EC_RELEASE_VERSION} (YYYY-MM-DD)\"); it begins with "
    "\"${EC_RELEASE_1_VERSION}\"")
endif()
foreach(release IN LISTS EC_RELEASES)
  if(NOT EC_RELEASE_${release}_ITEMS)
    message(FATAL_ERROR "NEWS: release ${EC_RELEASE_${release}_VERSION} has no items")
  endif()
endforeach()
set(EC_RELEASE_DATE ${EC_RELEASE_1_DATE})

function(ec_restore_news_text variable)
  set(text "${${variable}}")
  string(REPLACE "<ec-semicolon>" ";" text "${text}")
  string(REPLACE "<ec-open>" "[" text "${text}")
  string(REPLACE "<ec-close>" "]" text "${text}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# Folds TEXT into lines of at most WIDTH columns, the first starting with FIRST and the others
# with REST.
function(ec_fold text width first rest result)
  string(REPLACE " " ";" words "${text}")
  set(folded "")
  set(line "${first}")
  set(line_has_words FALSE)
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" length)
    if(line_has_words AND length GREATER width)
      string(APPEND folded "${line}\n")
      set(line "${rest}${word}")
    elseif(line_has_words)
      string(APPEND line " ${word}")
    else()
      string(APPEND line "${word}")
    endif()
    set(line_has_words TRUE)
  endforeach()
  set(${result} "${folded}${line}\n" PARENT_SCOPE)
endfunction()

function(ec_xml_escape variable)
  set(text "${${variable}}")
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# The Debian changelog of SOURCE_PACKAGE: one entry per release, dated by its day in NEWS, so
# that the package does not depend on when it was built.
function(ec_debian_changelog source_package maintainer revision result)
  set(changelog "")
  foreach(release IN LISTS EC_RELEASES)
    execute_process(COMMAND env LC_ALL=C date -u -R -d ${EC_RELEASE_${release}_DATE}
      OUTPUT_VARIABLE day OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    string(APPEND changelog "${source_package} (${EC_RELEASE_${release}_VERSION}-${revision})"
      " unstable; urgency=medium\n\n")
    foreach(item IN LISTS EC_RELEASE_${release}_ITEMS)
      ec_fold("${item}" 80 "  * " "    " folded)
      ec_restore_news_text(folded)
      string(APPEND changelog "${folded}")
    endforeach()
    string(APPEND changelog "\n -- ${maintainer}  ${day}\n\n")
  endforeach()
  string(STRIP "${changelog}" changelog)
  set(${result} "${changelog}\n" PARENT_SCOPE)
endfunction()

# The <releases> element of AppStream metadata, indented to sit inside <component>.
function(ec_appstream_releases result)
  set(xml "<releases>\n")
  foreach(release IN LISTS EC_RELEASES)
    string(APPEND xml "    <release version=\"${EC_RELEASE_${release}_VERSION}\""
      " date=\"${EC_RELEASE_${release}_DATE}\">\n      <description>\n        <ul>\n")
    foreach(item IN LISTS EC_RELEASE_${release}_ITEMS)
      ec_restore_news_text(item)
      ec_xml_escape(item)
      string(APPEND xml "          <li>${item}</li>\n")
    endforeach()
    string(APPEND xml "        </ul>\n      </description>\n    </release>\n")
  endforeach()
  set(${result} "${xml}  </releases>" PARENT_SCOPE)
endfunction()
