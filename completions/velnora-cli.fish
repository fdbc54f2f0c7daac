# SPDX-License-Identifier: GPL-3.0-or-later
# Fish completion for velnora-cli: the commands, each command's options with the
# values they take, and file names where a file is asked for.

set -l commands today convert month stretch render settings ini holidays
set -l rules arithmetic official
set -l corners top-right bottom-right bottom-left top-left
set -l colours black white red green blue yellow cyan magenta gray grey orange purple brown navy silver

# No file names unless a command asks for one.
complete -c velnora-cli -f

complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -l help -d 'Show the commands'
complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -l version -d 'Show the version'
complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -a today -d 'Print the Persian date of today'
complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -a convert -d 'Convert dates between the calendars'
complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -a month -d 'Show a Persian month or year'
complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -a stretch -d 'Stretch a picture into a BMP file'
complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -a render -d 'Draw the calendar onto a picture'
complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -a settings -d 'Show the choices the program will use'
complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -a ini -d 'Print a value of a settings file'
complete -c velnora-cli -n "not __fish_seen_subcommand_from $commands" -a holidays -d 'List the official holidays of a year'

complete -c velnora-cli -n "__fish_seen_subcommand_from $commands" -s h -l help -d 'Show the usage of the command'
complete -c velnora-cli -n "__fish_seen_subcommand_from today convert month render holidays" -l calendar -x -a "$rules" -d 'The leap-year rule'
complete -c velnora-cli -n "__fish_seen_subcommand_from today convert" -l format -x -d 'Write each date by FORMAT'
complete -c velnora-cli -n "__fish_seen_subcommand_from today convert month" -l persian-digits -d 'Write Persian digits'
complete -c velnora-cli -n "__fish_seen_subcommand_from today convert month render" -l month-names -x -a "iranian dari" -d 'The names of the months'
complete -c velnora-cli -n "__fish_seen_subcommand_from convert" -s j -l persian -d 'Every DATE is Persian'
complete -c velnora-cli -n "__fish_seen_subcommand_from convert" -s g -l gregorian -d 'Every DATE is Gregorian'
complete -c velnora-cli -n "__fish_seen_subcommand_from month holidays" -l tsv -d 'Tab-separated output for scripts'

# Commands whose operands are files: stretch IN OUT, render OUT, settings FILE, ini FILE.
complete -c velnora-cli -n "__fish_seen_subcommand_from stretch render settings ini" -F

complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l source -r -F -d 'The picture to draw on'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l date -x -d 'The Persian day shown as today (Y/M/D)'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l size -x -d 'Stretch the picture first (WxH)'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l screen -x -d 'Draw for a WxH screen that shows the picture, unstretched'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l shown-as -x -a "zoom fit centre stretch top-left" -d 'How that screen shows the picture'
complete -c velnora-cli -n "__fish_seen_subcommand_from stretch render" -l proportions -x -a "keep exact" -d 'Keep the proportions (cover and crop) or stretch exactly'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l corner -x -a "$corners" -d 'Where the calendar goes'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l dx -x -a "(seq 0 10 100)" -d 'Distance from the corner, left/right, 0 to 100'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l dy -x -a "(seq 0 10 100)" -d 'Distance from the corner, top/bottom, 0 to 100'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l no-prev -d 'Leave out the previous month'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l no-next -d 'Leave out the next month'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l text-colour -x -a "$colours" -d 'The colour of the text'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l today-colour -x -a "$colours" -d "The colour of today's day"
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l holiday-colour -x -a "none $colours" -d 'The colour of Fridays and holidays'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l outline -x -a "none auto $colours" -d 'An outline around the text'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l scale -x -a "auto 100 125 150 175 200 250 300 400" -d 'The size of the calendar'
complete -c velnora-cli -n "__fish_seen_subcommand_from render" -l other-dates -x -a "none gregorian gregorian-lunar" -d 'The other calendars in small print'
