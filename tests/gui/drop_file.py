#!/usr/bin/python3
"""Drags a local file onto an X window and drops it there, as a file manager does: the
drag-and-drop protocol's enter, position and drop messages from a source window of our own
that hands over the file's address as text/uri-list. Without a window manager or a file
manager nothing else can.
Usage: drop_file.py WINDOW_ID X Y FILE   (X, Y inside the window)"""
import pathlib
import signal
import sys

from Xlib import X, Xatom, display
from Xlib.protocol import event


def main():
    window_id, x, y, path = int(sys.argv[1], 0), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    signal.alarm(20)  # a target that never answers fails the drop instead of hanging
    d = display.Display()
    atom = lambda name: d.intern_atom(name)
    root = d.screen().root
    target = d.create_resource_object("window", window_id)
    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    uri_list, selection = atom("text/uri-list"), atom("XdndSelection")
    source.set_selection_owner(selection, X.CurrentTime)
    address = (pathlib.Path(path).resolve().as_uri() + "\r\n").encode()

    def send(kind, *data):
        message = event.ClientMessage(window=target, client_type=atom(kind),
                                      data=(32, list(data) + [0] * (5 - len(data))))
        target.send_event(message, event_mask=0)
        d.flush()

    def wait_for(kind):
        while True:
            e = d.next_event()
            if e.type == X.SelectionRequest:
                answer(e)
            elif e.type == X.ClientMessage and e.client_type == atom(kind):
                return e

    def answer(request):
        prop = request.property or request.target
        if request.target == atom("TARGETS"):
            request.requestor.change_property(prop, Xatom.ATOM, 32, [uri_list, atom("TARGETS")])
        elif request.target == uri_list:
            request.requestor.change_property(prop, uri_list, 8, address)
        else:
            prop = X.NONE
        notify = event.SelectionNotify(time=request.time, requestor=request.requestor, selection=request.selection,
                                       target=request.target, property=prop)
        request.requestor.send_event(notify, event_mask=0)
        d.flush()

    at = root.translate_coords(target, x, y)
    send("XdndEnter", source.id, 5 << 24, uri_list)
    send("XdndPosition", source.id, 0, (at.x << 16) | at.y, X.CurrentTime, atom("XdndActionCopy"))
    status = wait_for("XdndStatus")
    if not status.data[1][1] & 1:
        send("XdndLeave", source.id)
        sys.exit("the window refused the file")
    send("XdndDrop", source.id, 0, X.CurrentTime)
    wait_for("XdndFinished")


if __name__ == "__main__":
    main()
