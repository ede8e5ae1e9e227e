// On-screen controls for touch screens, which have no keys and whose taps
// come as a mouse button pressed and released at once: buttons that hold
// the keys the program reads for as long as a finger rests on them, and a
// finger dragged on the canvas as a mouse button held with the cursor
// following it (the program turns the camera toward the cursor while a
// button is held). They reach the program through the functions
// platform/web/events.cpp exports, once it runs (Module.running). A page
// with a mouse for its pointer gets none of this.
(function() {
  'use strict';
  if (!window.matchMedia || !matchMedia('(pointer: coarse)').matches)
    return;
  // A load that failed before this script ran has nothing to control.
  if (window.Loader && (Loader.stage === 'failed' || Loader.stage === 'ended'))
    return;

  // Windows virtual-key codes, as the program reads them.
  var key = { leftButton: 1, rightButton: 2, left: 37, up: 38, right: 39, down: 40, z: 90,
              add: 107, subtract: 109, f1: 112, f2: 113, f3: 114, f6: 117, f7: 118, f12: 123 };

  // Label, key, and place in the six-column grid (row, column, columns,
  // rows).
  var buttons = [
    ['3D', key.f6, 1, 1], ['Map', key.f7, 1, 2], ['Shot', key.f12, 1, 3],
    ['\u00d71', key.f1, 1, 4], ['\u00d72', key.f2, 1, 5], ['\u00d73', key.f3, 1, 6],
    ['\u25b2', key.up, 2, 2], ['\u25c0', key.left, 3, 1], ['\u25b6', key.right, 3, 3],
    ['\u25bc', key.down, 4, 2],
    ['Fly', key.leftButton, 2, 4, 1, 2], ['Back', key.z, 4, 4],
    ['Layer +', key.add, 2, 5, 2], ['Layer \u2212', key.subtract, 4, 5, 2],
  ];
  function call(name, a, b) {
    if (window.Module && Module.running)
      Module['_' + name](a, b);
  }

  // How many fingers hold each key: it goes down with the first, up with
  // the last.
  var holders = {};
  function hold(code, down) {
    var count = (holders[code] || 0) + (down ? 1 : -1);
    holders[code] = Math.max(count, 0);
    if (down ? count === 1 : count === 0)
      call('webControlKey', code, down ? 1 : 0);
  }

  function placeCursor(x, y) {
    cursorPlaced = true;
    call('webControlCursor', Math.round(x), Math.round(y));
  }
  var cursorPlaced = false;

  var panel = document.createElement('div');
  panel.id = 'controls';
  buttons.forEach(function([label, code, row, column, columns, rows]) {
    var button = document.createElement('button');
    button.type = 'button';
    button.textContent = label;
    button.dataset.key = code;
    button.style.gridArea = row + ' / ' + column + ' / span ' + (rows || 1) + ' / span ' +
                            (columns || 1);
    panel.appendChild(button);
  });

  // The finger on each button (by touch identifier).
  var pressing = {};
  function release(id) {
    var button = pressing[id];
    delete pressing[id];
    hold(Number(button.dataset.key), false);
    if (!Object.keys(pressing).some(function(other) { return pressing[other] === button; }))
      button.classList.remove('held');
  }
  panel.addEventListener('touchstart', function(event) {
    event.preventDefault();
    for (var touch of event.changedTouches) {
      var button = touch.target.closest && touch.target.closest('button');
      if (!button || pressing[touch.identifier]) continue;
      var code = Number(button.dataset.key);
      // Flying looks toward the cursor: before any drag, that is the
      // middle of the canvas rather than its corner.
      var canvas = document.querySelector('canvas');
      if (code === key.leftButton && !cursorPlaced && canvas) {
        var box = canvas.getBoundingClientRect();
        placeCursor(box.left + box.width / 2, box.top + box.height / 2);
      }
      pressing[touch.identifier] = button;
      button.classList.add('held');
      hold(code, true);
    }
  }, { passive: false });
  function liftFromPanel(event) {
    event.preventDefault();
    for (var touch of event.changedTouches)
      if (pressing[touch.identifier]) release(touch.identifier);
  }
  panel.addEventListener('touchend', liftFromPanel, { passive: false });
  panel.addEventListener('touchcancel', liftFromPanel, { passive: false });

  // One finger on the canvas turns the view: the right button, held (the
  // left one would fly as well). Each canvas (the program makes
  // a new one whenever it opens its window) gets its own listeners: a
  // finger's later events go to the canvas it touched, even one that has
  // left the page since.
  var dragging = null;
  function onCanvasTouch(event) {
    event.preventDefault();
    for (var touch of event.changedTouches) {
      if (event.type === 'touchstart' && dragging === null) {
        dragging = touch.identifier;
        placeCursor(touch.clientX, touch.clientY);
        hold(key.rightButton, true);
      } else if (touch.identifier === dragging) {
        placeCursor(touch.clientX, touch.clientY);
        if (event.type !== 'touchmove') {
          dragging = null;
          hold(key.rightButton, false);
        }
      }
    }
  }
  function wire(canvas) {
    ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function(type) {
      canvas.addEventListener(type, onCanvasTouch, { passive: false });
    });
  }
  new MutationObserver(function(changes) {
    changes.forEach(function(change) {
      change.addedNodes.forEach(function(node) { if (node.tagName === 'CANVAS') wire(node); });
    });
  }).observe(document.body, { childList: true });

  // The program lets go of every key when the page loses the focus.
  window.addEventListener('blur', function() {
    holders = {};
    pressing = {};
    dragging = null;
    panel.querySelectorAll('.held').forEach(function(button) { button.classList.remove('held'); });
  });

  document.body.appendChild(panel);
  document.body.classList.add('touch');
})();
