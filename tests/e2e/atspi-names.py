# Prints, one JSON object a line, the role, name and text of every element of
# a program's accessibility tree (process id: the argument) as a screen reader
# gets them through AT-SPI. Menus' option lists are not walked.
import json
import sys

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi  # noqa: E402


def walk(node):
    text = node.get_text_iface()
    print(json.dumps({'role': node.get_role_name(), 'name': node.get_name() or '',
                      'text': Atspi.Text.get_text(text, 0, -1) if text else ''}))
    if node.get_role() != Atspi.Role.COMBO_BOX:
        for i in range(node.get_child_count()):
            walk(node.get_child_at_index(i))


desktop = Atspi.get_desktop(0)
apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
walk(next(a for a in apps if a is not None and a.get_process_id() == int(sys.argv[1])))
