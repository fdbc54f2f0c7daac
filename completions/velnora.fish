# SPDX-License-Identifier: GPL-3.0-or-later
# Fish completion for velnora: its commands and options (velnora --help).
complete -c velnora -f
set -l first "test (count (commandline -opc)) -eq 1"
complete -c velnora -n "$first" -a start -d 'Redraw the calendar for today without a window'
complete -c velnora -n "$first" -a refresh -d 'The same, as the refresh timer runs it'
complete -c velnora -n "$first" -a off -d 'Switch the calendar off, put the wallpaper back'
complete -c velnora -n "$first" -l help -d 'Show the usage'
complete -c velnora -n "$first" -l version -d 'Show the version'
