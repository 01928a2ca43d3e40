# The files Setup.exe carries, in the order the installer unpacks them: "<entry name>|<source>",
# where the source is a target of the build, "<target>:<file>" for a file that a target writes
# (into its own folder, e.g. the print setups, or else the build's program folder), or a file
# below the source folder. A row whose target or file the build does not make stops the
# configuration, so no Setup.exe is made without one of them.
set(UNFURL_PAYLOAD
  "printsetups\\columnwtext.psu|print_setups:columnwtext.psu"
  "printsetups\\thumbnails.psu|print_setups:thumbnails.psu"
  "printsetups\\two-sidebar.psu|print_setups:two-sidebar.psu"
  "printsetups\\9-wallets.psu|print_setups:9-wallets.psu"
  "printsetups\\mailinglabels.psu|print_setups:mailinglabels.psu"
  "printsetups\\1-8x10.psu|print_setups:1-8x10.psu"
  "printsetups\\2-5x7.psu|print_setups:2-5x7.psu"
  "readme.txt|installer/readme.txt"
  "Vireldan.hlp|VireldanHelp:Vireldan.hlp"
  "Vireldan.cnt|VireldanHelp:Vireldan.cnt"
  "uninstall.exe|vireldan_uninstall"
  "thumbwell.exe|Thumbwell"
  "postlark.dll|Postlark"
  "ravelight.dll|Ravelight"
  "VNSaver.scr|VNSaver"
  "Vireldan.exe|Vireldan"
)
