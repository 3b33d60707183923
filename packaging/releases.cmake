# SPDX-License-Identifier: MIT
# The release notes, kept once: the software-centre metadata and the Debian changelog are made from
# them. Newest first, each "version|date|change|change...", no semicolons; the first entry's version
# is the project's. The date is "YYYY-MM-DD", or "YYYY-MM-DD HH:MM" (UTC) for a second release on
# the same day, which must come later than the first.
set(malvoran_releases
    "1.4.0|2026-12-11|Malvoran — упражнение: a second program beside Malvoran, in which the student reads, chooses and judges rounds of ten real resistors, each answer judged exactly and explained with its tolerance range and standard series, and a round's number gives the same ten resistors on Linux, on Windows and in the browser.|The page works whole in Chromium, Firefox and Safari's engine, with descriptions every screen reader hears, and paints its window before it reads its program."
    "1.3.0|2026-12-10|Malvoran in the browser: one HTML file that works offline on any computer, Chromebook or phone, with the same report as the desktop windows.|A letter typed in a colour list chooses by one rule in every window: letters typed quickly spell the beginning of a colour's name, a repeated letter moves on, and after clearing the search starts from the colour in view.|In every window a line break counts as one character against the report box's limit."
    "1.2.0|2026-12-09 20:00|The resistor is drawn under the colour lists, each band in the colour chosen as soon as it is chosen, and screen readers hear its colours.|On Wayland desktops the window is sharp and comes through maximize and full screen unharmed, and X11 desktops no longer offer to maximize it.|On Windows a long paste no longer freezes the report box, which keeps its own paint and has a Bulgarian menu, and the focused colour list shows its dark blue ring."
    "1.1.0|2026-12-09|A Windows edition on the system's own controls, for Windows 7 SP1 to 11, with a 64-bit installer, an MSI for school IT and a portable program.|The colour lists answer every key as standard list boxes do, with a clear focus frame.|Qt's own texts (menus of the report box) in Bulgarian, and every colour name whole with any font.|The MIT licence, and a manual page."
    "1.0.0|2026-12-08|First release: the four colour lists with swatches, the report, keyboard and screen reader use.")

list(GET malvoran_releases 0 newest)
string(REPLACE "|" ";" newest "${newest}")
list(GET newest 0 newest_version)
list(GET newest 1 MALVORAN_RELEASE_DATE)
string(SUBSTRING "${MALVORAN_RELEASE_DATE}" 0 10 MALVORAN_RELEASE_DATE)
if(NOT newest_version STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/releases.cmake: the newest release is ${newest_version}, "
                        "but the project's version is ${PROJECT_VERSION}")
endif()

# A release date as a Debian changelog wants it, "Wed, 09 Dec 2026 12:00:00 +0000" (noon where no time
# is given), and as the software-centre metadata does, "2026-12-09T12:00:00Z".
function(malvoran_release_stamps when rfc2822 iso8601)
    if(NOT when MATCHES "^([0-9]+)-([0-9]+)-([0-9]+)( ([0-9][0-9]:[0-9][0-9]))?$")
        message(FATAL_ERROR "packaging/releases.cmake: \"${when}\" is not YYYY-MM-DD or YYYY-MM-DD HH:MM")
    endif()
    set(time "12:00")
    if(CMAKE_MATCH_5)
        set(time "${CMAKE_MATCH_5}")
    endif()
    set(${iso8601} "${CMAKE_MATCH_1}-${CMAKE_MATCH_2}-${CMAKE_MATCH_3}T${time}:00Z" PARENT_SCOPE)
    math(EXPR y "${CMAKE_MATCH_1}")
    math(EXPR m "${CMAKE_MATCH_2}")
    math(EXPR d "${CMAKE_MATCH_3}")
    # Sakamoto's day of the week: 0 is Sunday.
    set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    math(EXPR index "${m} - 1")
    list(GET offsets ${index} offset)
    if(m LESS 3)
        math(EXPR y "${y} - 1")
    endif()
    math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${d}) % 7")
    set(days Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET days ${weekday} day)
    list(GET months ${index} month)
    set(${rfc2822} "${day}, ${CMAKE_MATCH_3} ${month} ${CMAKE_MATCH_1} ${time}:00 +0000" PARENT_SCOPE)
endfunction()

# The practice came with 1.4.0: its own metadata lists the releases since.
set(malvoran_practice_since 1.4.0)
set(MALVORAN_METAINFO_RELEASES "")
set(MALVORAN_PRACTICE_METAINFO_RELEASES "")
set(changelog "")
foreach(release IN LISTS malvoran_releases)
    string(REPLACE "|" ";" changes "${release}")
    list(POP_FRONT changes version date)
    malvoran_release_stamps("${date}" stamp timestamp)
    set(entry "    <release version=\"${version}\" date=\"${timestamp}\">\n      <description>\n        <ul>\n")
    string(APPEND changelog "malvoran (${version}) stable; urgency=medium\n\n")
    foreach(change IN LISTS changes)
        string(APPEND entry "          <li>${change}</li>\n")
        # Debian wraps changelog lines before 80 columns, continued under the bullet's text.
        string(REPLACE " " ";" words "${change}")
        set(line "  *")
        foreach(word IN LISTS words)
            string(LENGTH "${line} ${word}" length)
            if(length GREATER 78)
                string(APPEND changelog "${line}\n")
                set(line "   ")
            endif()
            string(APPEND line " ${word}")
        endforeach()
        string(APPEND changelog "${line}\n")
    endforeach()
    string(APPEND entry "        </ul>\n      </description>\n    </release>\n")
    string(APPEND MALVORAN_METAINFO_RELEASES "${entry}")
    if(version VERSION_GREATER_EQUAL malvoran_practice_since)
        string(APPEND MALVORAN_PRACTICE_METAINFO_RELEASES "${entry}")
    endif()
    string(APPEND changelog "\n -- ${MALVORAN_MAINTAINER}  ${stamp}\n\n")
endforeach()
string(STRIP "${MALVORAN_METAINFO_RELEASES}" MALVORAN_METAINFO_RELEASES)
string(STRIP "${MALVORAN_PRACTICE_METAINFO_RELEASES}" MALVORAN_PRACTICE_METAINFO_RELEASES)
file(CONFIGURE OUTPUT changelog CONTENT "${changelog}" @ONLY)
