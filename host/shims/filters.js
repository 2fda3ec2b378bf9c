// Injected into every frame before the page's own scripts run.
//
// The page was written for a browser with visual filters named in inline
// styles ("FILTER: Light", "filter: shadow(color=#333333,direction=135)",
// "filter:Alpha(opacity=80)") and scripted through element.filters. Current
// engines drop those declarations as invalid CSS, so this script reads them
// from the style attribute text and draws the same looks with CSS (with the
// layer in filters.css), leaving the page text as it is.
//
// It can go when the page names its looks in standard CSS (filter,
// opacity, gradients) instead of the old filters.
(function () {
  'use strict';
  if ('filters' in HTMLElement.prototype) return;

  // Filters named in each element's markup, kept once seen: the page later
  // writes style properties, which rewrites the attribute without them.
  var named = new WeakMap();
  var collections = new WeakMap();

  // "shadow(color=#333333,direction=135) Alpha(opacity=80)" ->
  // [{name: 'shadow', params: {color: '#333333', direction: '135'}}, ...]
  function parseFilters(styleText) {
    var match = /(?:^|;)\s*filter\s*:\s*([^;]*)/i.exec(styleText || '');
    if (!match) return [];
    var filters = [];
    var item = /([\w.:]+)\s*(?:\(([^)]*)\))?/g;
    var found;
    while ((found = item.exec(match[1])) !== null) {
      var name = found[1].split(/[.:]/).pop().toLowerCase();
      if (name !== 'light' && name !== 'shadow' && name !== 'alpha') continue;
      var params = {};
      (found[2] || '').split(',').forEach(function (pair) {
        var kv = pair.split('=');
        if (kv.length === 2) params[kv[0].trim().toLowerCase()] = kv[1].trim();
      });
      filters.push({ name: name, params: params });
    }
    return filters;
  }

  function number(text, fallback) {
    var n = parseFloat(text);
    return isNaN(n) ? fallback : n;
  }

  // IE's shadow: a solid copy of the content, offset by its strength (5 px
  // unless given) in the compass direction (0 up, 90 right, 135 down-right).
  function shadowOf(params) {
    var direction = number(params.direction, 225) * Math.PI / 180;
    var strength = number(params.strength, 5);
    var dx = Math.round(Math.sin(direction) * strength);
    var dy = Math.round(-Math.cos(direction) * strength);
    return dx + 'px ' + dy + 'px 2px ' + (params.color || '#000000');
  }

  // The shadow is a box shadow of each box inside the element, not the
  // element's `filter: drop-shadow()`, which would follow the content's
  // shape: WebKitGTK 2.54 (Debian 13) often leaves a layer with that filter
  // undrawn, so the day pop-up was missing although shown; 2.50 drew it. The
  // page shadows only the pop-up, whose content is one opaque table, so the
  // two look alike. Back to drop-shadow() on the element once the engines of
  // every release we support draw it. The page rewrites the element's
  // content, so each new child gets its shadow as it comes in (see the
  // observer below).
  var shadows = new WeakMap();
  function shadowChildren(element) {
    var shadow = shadows.get(element);
    if (!shadow) return;
    for (var i = 0; i < element.children.length; i++) element.children[i].style.boxShadow = shadow;
  }

  function applyStatic(element, filters) {
    filters.forEach(function (filter) {
      if (filter.name === 'alpha') {
        var opacity = Math.min(100, Math.max(0, number(filter.params.opacity, 100)));
        element.style.opacity = String(opacity / 100);
      } else if (filter.name === 'shadow') {
        shadows.set(element, shadowOf(filter.params));
        shadowChildren(element);
      }
    });
  }

  function take(element) {
    if (named.has(element)) return;
    var filters = parseFilters(element.getAttribute('style'));
    if (filters.length === 0) return;
    named.set(element, filters);
    applyStatic(element, filters);
  }

  function scan(node) {
    if (node.nodeType !== Node.ELEMENT_NODE) return;
    if (node.hasAttribute('style')) take(node);
    node.querySelectorAll('[style]').forEach(take);
  }

  // The parsed document is looked at once it is complete, and later only
  // what is written into an element that names a filter itself (the pop-up's
  // tables go into the shadowed pop-up layer). Touching elements while the
  // parser still associates controls with forms outside their subtree (the
  // page's forms stand between table rows) leaves the engine's by-name
  // look-up of those forms stale (CLD.SM came out undefined).
  //
  // Not the whole document: an observer's records keep every node the page
  // replaces (the grid's texts at each month turn, the clocks every second)
  // alive until the script engine next collects, which it does by its own
  // heap's measure, not by theirs. Watching the whole document, 21,000
  // rewrites of the grid's texts left the page process 22 MB larger.
  document.addEventListener('DOMContentLoaded', function () {
    scan(document.documentElement);
    var observer = new MutationObserver(function (records) {
      records.forEach(function (record) {
        record.addedNodes.forEach(scan);
        shadowChildren(record.target);
      });
    });
    document.querySelectorAll('[style]').forEach(function (element) {
      if (named.has(element)) observer.observe(element, { childList: true, subtree: true });
    });
  });

  // The Light filter: ambient light and cone lights over the element. Drawn
  // as gradients in a layer above the element's content (see filters.css): the
  // ambient light's shortfall darkens everything, each cone lifts the
  // darkness within its reach and adds a glow of its colour at its target.
  function LightFilter(element) {
    var ambient = [];
    var cones = [];

    // A cone's circle in percentages of the element: the engine does not zoom
    // lengths given through a custom property when the page is zoomed.
    function circle(c) {
      var w = element.offsetWidth, h = element.offsetHeight;
      if (!w || !h) return 'circle ' + c.reach + 'px at ' + c.tx + 'px ' + c.ty + 'px';
      var pc = function (v, of) { return (100 * v / of) + '% '; };
      return 'ellipse ' + pc(c.reach, w) + pc(c.reach, h) + 'at ' + pc(c.tx, w) + pc(c.ty, h);
    }

    function render() {
      var level = Math.min(1, ambient.reduce(function (sum, a) { return sum + a.strength; }, 0) / 100);
      var dark = 1 - level;
      var layers = [];
      cones.forEach(function (c) {
        layers.push('radial-gradient(' + circle(c) + ', ' +
          'rgba(' + c.r + ',' + c.g + ',' + c.b + ',' + (0.25 * c.level) + ') 0%, ' +
          'rgba(' + c.r + ',' + c.g + ',' + c.b + ',0) 50%)');
      });
      var strongest = cones.slice().sort(function (a, b) { return b.level - a.level; })[0];
      if (strongest) {
        layers.push('radial-gradient(' + circle(strongest) + ', rgba(0,0,0,' + Math.max(0, dark - strongest.level) + ') 0%, ' +
          'rgba(0,0,0,' + dark + ') 100%)');
      } else {
        layers.push('linear-gradient(rgba(0,0,0,' + dark + '), rgba(0,0,0,' + dark + '))');
      }
      element.setAttribute('data-light-filter', '');
      element.style.setProperty('--light-filter', layers.join(', '));
    }

    this.Clear = function () {
      ambient = [];
      cones = [];
      render();
    };
    this.addAmbient = function (r, g, b, strength) {
      ambient.push({ r: r, g: g, b: b, strength: number(strength, 0) });
      render();
    };
    this.addCone = function (x1, y1, z1, x2, y2, r, g, b, strength, spread) {
      var angle = Math.min(89, Math.max(0, number(spread, 0))) * Math.PI / 180;
      cones.push({
        tx: number(x2, 0), ty: number(y2, 0), r: r, g: g, b: b,
        level: Math.min(1, number(strength, 0) / 100),
        reach: Math.max(1, Math.round(Math.abs(number(z1, 0)) * Math.tan(angle))),
      });
      render();
    };
  }

  function FilterCollection(element) {
    var filters = named.get(element) || parseFilters(element.getAttribute('style'));
    var self = this;
    this.length = 0;
    filters.forEach(function (filter) {
      var entry = filter.name === 'light' ? new LightFilter(element) : { enabled: true };
      self[self.length++] = entry;
      if (filter.name === 'light') self.Light = entry;
      else if (filter.name === 'shadow') self.shadow = entry;
      else self.Alpha = entry;
    });
  }

  Object.defineProperty(HTMLElement.prototype, 'filters', {
    configurable: true,
    get: function () {
      take(this);
      var collection = collections.get(this);
      if (!collection) {
        collection = new FilterCollection(this);
        collections.set(this, collection);
      }
      return collection;
    },
  });
})();
