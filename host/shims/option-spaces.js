// Injected into every frame before the page's own scripts run.
//
// Menu entries keep their text exactly, spaces included: the page pads the
// zone names with runs of spaces so that, in a fixed-pitch font, the Chinese
// names line up in a second column, and it looks entries up by the text it
// reads back. Current engines collapse and trim those spaces both on screen
// and in option.text, so entries made by `new Option(text)` hold no-break
// spaces instead, and read back with plain ones.
//
// It can go when the page's zone names stop relying on spaces, either for
// their column or as the keys it looks the zones up by.
(function () {
  'use strict';

  var NativeOption = window.Option;
  var spaced = new WeakSet();
  var textProperty = Object.getOwnPropertyDescriptor(HTMLOptionElement.prototype, 'text');

  function keepSpaces(text) {
    return String(text).replace(/ /g, '\u00a0');
  }

  function Option(text, value, defaultSelected, selected) {
    var option = arguments.length === 0 ? new NativeOption()
      : new NativeOption(keepSpaces(text), value, defaultSelected, selected);
    if (arguments.length > 0) spaced.add(option);
    return option;
  }
  Option.prototype = NativeOption.prototype;
  window.Option = Option;

  Object.defineProperty(HTMLOptionElement.prototype, 'text', {
    configurable: true,
    enumerable: textProperty.enumerable,
    get: function () {
      return spaced.has(this) ? this.textContent.replace(/\u00a0/g, ' ') : textProperty.get.call(this);
    },
    set: function (text) {
      spaced.add(this);
      textProperty.set.call(this, keepSpaces(text));
    },
  });
})();
